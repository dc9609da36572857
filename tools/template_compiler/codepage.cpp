// Code page 936 through iconv(3). glibc knows the code page as "CP936"; other
// C libraries may only know it as "GBK", which agrees on every character the
// template's texts use.
#include "tools/template_compiler/codepage.h"

#include <iconv.h>

#include <cerrno>
#include <cstdio>

namespace {

struct IconvOwner {
  iconv_t cd = reinterpret_cast<iconv_t>(-1);
  ~IconvOwner() {
    if (ok()) iconv_close(cd);
  }
  bool ok() const { return cd != reinterpret_cast<iconv_t>(-1); }
};

bool Open(IconvOwner* owner, const char* to, const char* from) {
  owner->cd = iconv_open(to, from);
  return owner->ok();
}

bool OpenCp936(IconvOwner* owner, bool toCp936) {
  static const char* const kNames[] = {"CP936", "GBK"};
  for (const char* name : kNames) {
    if (toCp936 ? Open(owner, name, "UTF-8") : Open(owner, "UTF-8", name)) return true;
  }
  return false;
}

// The UTF-8 sequence that starts at `at`, for an error message.
std::string SequenceAt(const std::string& utf8, size_t at) {
  size_t end = at + 1;
  while (end < utf8.size() && (static_cast<unsigned char>(utf8[end]) & 0xC0) == 0x80) ++end;
  std::string shown = utf8.substr(at, end - at);
  char hex[8];
  std::string bytes;
  for (unsigned char c : shown) {
    std::snprintf(hex, sizeof hex, "%s%02X", bytes.empty() ? "" : " ", c);
    bytes += hex;
  }
  return "\"" + shown + "\" (bytes " + bytes + ")";
}

// The escapes of the display form; other control bytes show as \xNN.
const char* EscapeOf(unsigned char c) {
  switch (c) {
    case '\\':
      return "\\\\";
    case '"':
      return "\\\"";
    case '\r':
      return "\\r";
    case '\n':
      return "\\n";
    case '\t':
      return "\\t";
    default:
      return nullptr;
  }
}

}  // namespace

bool Utf8ToCp936(const std::string& utf8, std::string* cp936, std::string* error) {
  cp936->clear();
  IconvOwner conv;
  if (!OpenCp936(&conv, true)) {
    *error = "this system's iconv knows neither CP936 nor GBK";
    return false;
  }
  char* in = const_cast<char*>(utf8.data());
  size_t inLeft = utf8.size();
  char buffer[4096];
  while (inLeft > 0) {
    char* out = buffer;
    size_t outLeft = sizeof buffer;
    size_t r = iconv(conv.cd, &in, &inLeft, &out, &outLeft);
    cp936->append(buffer, static_cast<size_t>(out - buffer));
    if (r == static_cast<size_t>(-1)) {
      if (errno == E2BIG) continue;
      size_t at = utf8.size() - inLeft;
      if (errno == EILSEQ) {
        *error = "no code page 936 form for " + SequenceAt(utf8, at) + " at byte " +
                 std::to_string(at) + " of \"" + utf8.substr(0, 60) + "\"";
      } else {
        *error = "malformed UTF-8 at byte " + std::to_string(at);
      }
      return false;
    }
    if (r > 0) {
      // A count above 0 is the number of irreversible conversions: iconv
      // substituted something, which a stored text must not contain.
      *error = "inexact code page 936 conversion of \"" + utf8.substr(0, 60) + "\"";
      return false;
    }
  }
  return true;
}

std::string Cp936ToDisplay(const std::string& cp936) {
  std::string utf8;
  IconvOwner conv;
  bool haveConv = OpenCp936(&conv, false);
  size_t i = 0;
  while (i < cp936.size()) {
    unsigned char c = static_cast<unsigned char>(cp936[i]);
    size_t len = (c >= 0x81 && c <= 0xFE && i + 1 < cp936.size()) ? 2 : 1;
    bool converted = false;
    if (c < 0x80) {
      const char* escape = EscapeOf(c);
      if (escape != nullptr) {
        utf8 += escape;
        converted = true;
      } else if (c >= 0x20 && c != 0x7F) {
        utf8 += static_cast<char>(c);
        converted = true;
      }
    } else if (haveConv) {
      char* in = const_cast<char*>(cp936.data() + i);
      size_t inLeft = len;
      char buffer[8];
      char* out = buffer;
      size_t outLeft = sizeof buffer;
      if (iconv(conv.cd, &in, &inLeft, &out, &outLeft) != static_cast<size_t>(-1) && inLeft == 0) {
        utf8.append(buffer, static_cast<size_t>(out - buffer));
        converted = true;
      }
      iconv(conv.cd, nullptr, nullptr, nullptr, nullptr);
    }
    if (!converted) {
      char hex[8];
      std::snprintf(hex, sizeof hex, "\\x%02X", c);
      utf8 += hex;
      len = 1;
    }
    i += len;
  }
  return utf8;
}
