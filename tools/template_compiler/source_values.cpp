#include "tools/template_compiler/source_values.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <algorithm>

#include "tools/template_compiler/codepage.h"

SourcePlace SourcePlace::Child(const std::string& key) const {
  SourcePlace child = *this;
  child.path = path.empty() ? key : path + "." + key;
  return child;
}

SourcePlace SourcePlace::Item(size_t index) const {
  SourcePlace item = *this;
  item.path = path + "[" + std::to_string(index) + "]";
  return item;
}

bool SourcePlace::Fail(const std::string& message) const {
  if (error != nullptr) *error = (path.empty() ? "" : path + ": ") + message;
  return false;
}

bool CheckKeys(const Json& object, std::initializer_list<const char*> allowed,
               const SourcePlace& at) {
  if (!object.is_object()) return at.Fail("an object is expected");
  for (auto it = object.begin(); it != object.end(); ++it) {
    bool known = false;
    for (const char* name : allowed) known = known || it.key() == name;
    if (!known) return at.Fail("unknown member \"" + it.key() + "\"");
  }
  return true;
}

bool ReadInt32(const Json& value, const SourcePlace& at, int32_t* out) {
  if (value.is_number_integer()) {
    if (value.is_number_unsigned() && value.get<uint64_t>() > INT32_MAX) {
      return at.Fail("integer out of the int32 range (write larger bit patterns as \"0x...\")");
    }
    int64_t v = value.get<int64_t>();
    if (v < INT32_MIN || v > INT32_MAX) return at.Fail("integer out of the int32 range");
    *out = static_cast<int32_t>(v);
    return true;
  }
  if (value.is_string()) {
    const std::string& s = value.get_ref<const std::string&>();
    bool negative = !s.empty() && s[0] == '-';
    std::string digits = negative ? s.substr(1) : s;
    if (digits.size() < 3 || digits[0] != '0' || (digits[1] != 'x' && digits[1] != 'X') ||
        digits.size() > 10) {
      return at.Fail("a string integer is hexadecimal \"0x...\" of at most 8 digits");
    }
    uint64_t v = 0;
    for (size_t i = 2; i < digits.size(); ++i) {
      char c = digits[i];
      int d = (c >= '0' && c <= '9')   ? c - '0'
              : (c >= 'a' && c <= 'f') ? c - 'a' + 10
              : (c >= 'A' && c <= 'F') ? c - 'A' + 10
                                       : -1;
      if (d < 0) return at.Fail("bad hexadecimal digit in \"" + s + "\"");
      v = v * 16 + static_cast<uint64_t>(d);
    }
    uint32_t bits = static_cast<uint32_t>(v);
    if (negative) bits = 0u - bits;
    *out = static_cast<int32_t>(bits);
    return true;
  }
  return at.Fail("an integer is expected");
}

bool ReadLogical(const Json& value, const SourcePlace& at, int32_t* out) {
  if (!value.is_boolean()) return at.Fail("true or false is expected");
  *out = value.get<bool>() ? 1 : 0;
  return true;
}

namespace {

bool JoinLines(const std::string& text, const std::string& lineEnd, std::string* out) {
  out->clear();
  std::string body = text;
  if (!body.empty() && body.back() == '\n') body.pop_back();
  if (!body.empty() && body.back() == '\r') body.pop_back();
  for (size_t i = 0; i < body.size(); ++i) {
    char c = body[i];
    if (c == '\r' && i + 1 < body.size() && body[i + 1] == '\n') continue;
    if (c == '\n') {
      *out += lineEnd;
    } else {
      *out += c;
    }
  }
  return true;
}

}  // namespace

bool ReadText(const Json& value, const SourcePlace& at, std::string* cp936) {
  std::string utf8;
  if (value.is_string()) {
    utf8 = value.get<std::string>();
  } else if (value.is_object() && value.contains("textFile")) {
    if (!CheckKeys(value, {"textFile", "lineEnd"}, at)) return false;
    const Json& file = value["textFile"];
    if (!file.is_string()) return at.Child("textFile").Fail("a path is expected");
    std::string lineEnd = "\r\n";
    if (value.contains("lineEnd")) {
      const Json& end = value["lineEnd"];
      if (end == "crlf") {
        lineEnd = "\r\n";
      } else if (end == "lf") {
        lineEnd = "\n";
      } else {
        return at.Child("lineEnd").Fail("\"crlf\" or \"lf\" is expected");
      }
    }
    std::string raw;
    if (!ReadSourceFile(at, file.get<std::string>(), &raw)) return false;
    JoinLines(raw, lineEnd, &utf8);
  } else {
    return at.Fail("a text (string or {\"textFile\": ...}) is expected");
  }
  std::string why;
  if (!Utf8ToCp936(utf8, cp936, &why)) return at.Fail(why);
  return true;
}

bool ReadFileBlock(const Json& value, const SourcePlace& at, Bytes* bytes) {
  bytes->clear();
  if (value.is_null()) return true;
  if (!CheckKeys(value, {"file"}, at)) return false;
  if (!value.contains("file") || !value["file"].is_string()) {
    return at.Fail("{\"file\": path} or null is expected");
  }
  std::string raw;
  if (!ReadSourceFile(at, value["file"].get<std::string>(), &raw)) return false;
  if (raw.empty()) return at.Fail(value["file"].get<std::string>() + " is empty");
  bytes->assign(raw.begin(), raw.end());
  return true;
}

// LOGFONTA: 5 LONGs (height, width, escapement, orientation, weight), 8 BYTEs
// (italic, underline, strike-out, character set, output precision, clipping
// precision, quality, pitch and family), 32 bytes of face name: 60 bytes.
bool ReadFont(const Json& value, const SourcePlace& at, Bytes* record) {
  record->clear();
  if (value.is_null()) return true;
  static const char* const kLongs[] = {"height", "width", "escapement", "orientation", "weight"};
  static const char* const kBytes[] = {"italic",  "underline",     "strikeOut",
                                       "charSet", "outPrecision",  "clipPrecision",
                                       "quality", "pitchAndFamily"};
  if (!CheckKeys(value,
                 {"height", "width", "escapement", "orientation", "weight", "italic", "underline",
                  "strikeOut", "charSet", "outPrecision", "clipPrecision", "quality",
                  "pitchAndFamily", "faceName"},
                 at)) {
    return false;
  }
  record->assign(60, 0);
  for (size_t i = 0; i < 5; ++i) {
    int32_t v = 0;
    if (value.contains(kLongs[i]) && !ReadInt32(value[kLongs[i]], at.Child(kLongs[i]), &v))
      return false;
    uint32_t u = static_cast<uint32_t>(v);
    for (int b = 0; b < 4; ++b) (*record)[i * 4 + b] = static_cast<uint8_t>((u >> (8 * b)) & 0xFF);
  }
  for (size_t i = 0; i < 8; ++i) {
    int32_t v = 0;
    if (value.contains(kBytes[i])) {
      const Json& field = value[kBytes[i]];
      if (field.is_boolean()) {
        v = field.get<bool>() ? 1 : 0;
      } else if (!ReadInt32(field, at.Child(kBytes[i]), &v)) {
        return false;
      }
      if (v < 0 || v > 255) return at.Child(kBytes[i]).Fail("a byte (0 to 255) is expected");
    }
    (*record)[20 + i] = static_cast<uint8_t>(v);
  }
  if (value.contains("faceName")) {
    std::string face;
    if (!ReadText(value["faceName"], at.Child("faceName"), &face)) return false;
    if (face.size() > 31) return at.Child("faceName").Fail("a face name has at most 31 bytes");
    std::copy(face.begin(), face.end(), record->begin() + 28);
  }
  return true;
}

bool ReadSourceFile(const SourcePlace& at, const std::string& relativePath, std::string* bytes) {
  std::string path =
      relativePath.empty() || relativePath[0] == '/' ? relativePath : at.baseDir + relativePath;
  if (at.filesRead != nullptr) at.filesRead->push_back(path);
  if (!ReadWholeFile(path, bytes)) return at.Fail("cannot read " + path);
  return true;
}

bool ReadWholeFile(const std::string& path, std::string* bytes) {
  bytes->clear();
  FILE* f = std::fopen(path.c_str(), "rb");
  if (f == nullptr) return false;
  char buffer[65536];
  size_t n;
  while ((n = std::fread(buffer, 1, sizeof buffer, f)) > 0) bytes->append(buffer, n);
  bool ok = std::ferror(f) == 0;
  std::fclose(f);
  return ok;
}

bool WriteWholeFile(const std::string& path, const std::string& bytes) {
  FILE* f = std::fopen(path.c_str(), "wb");
  if (f == nullptr) return false;
  bool ok = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
  ok = std::fclose(f) == 0 && ok;
  return ok;
}
