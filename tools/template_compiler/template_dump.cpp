#include "tools/template_compiler/template_dump.h"

#include <cstdio>
#include <cstring>

#include "frame/template/template_reader.h"
#include "services/little_endian.h"
#include "tools/template_compiler/class_properties.h"
#include "tools/template_compiler/codepage.h"
#include "widgets/widget_set.h"

namespace {

uint32_t Be32(const uint8_t* p) {
  return static_cast<uint32_t>(p[0]) << 24 | static_cast<uint32_t>(p[1]) << 16 |
         static_cast<uint32_t>(p[2]) << 8 | static_cast<uint32_t>(p[3]);
}

uint32_t Crc32(const uint8_t* data, size_t size) {
  uint32_t crc = 0xFFFFFFFFu;
  for (size_t i = 0; i < size; ++i) {
    crc ^= data[i];
    for (int bit = 0; bit < 8; ++bit) crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
  }
  return ~crc;
}

// Image kind and dimensions from the headers, for the dump only; a block
// that is not a complete header of a known kind shows as "bytes".
std::string ImageSummary(const uint8_t* d, size_t n) {
  char text[96];
  static const uint8_t kPng[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  if (n >= 33 && std::memcmp(d, kPng, 8) == 0 && std::memcmp(d + 12, "IHDR", 4) == 0) {
    std::snprintf(text, sizeof text, "PNG %u x %u, depth %u, colour type %u", Be32(d + 16),
                  Be32(d + 20), d[24], d[25]);
    return text;
  }
  if (n >= 4 && d[0] == 0xFF && d[1] == 0xD8) {
    // Walk the markers up to the first start-of-frame.
    size_t at = 2;
    while (at + 4 <= n && d[at] == 0xFF) {
      uint8_t marker = d[at + 1];
      size_t length = static_cast<size_t>(d[at + 2]) << 8 | d[at + 3];
      if (marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC) {
        if (at + 10 > n) break;
        std::snprintf(text, sizeof text, "JPEG SOF%u %u x %u, %u components", marker - 0xC0,
                      static_cast<unsigned>(d[at + 7]) << 8 | d[at + 8],
                      static_cast<unsigned>(d[at + 5]) << 8 | d[at + 6], d[at + 9]);
        return text;
      }
      at += 2 + length;
    }
    return "JPEG";
  }
  if (n >= 6 && d[0] == 0 && d[1] == 0 && (d[2] == 1 || d[2] == 2) && d[3] == 0) {
    unsigned count = static_cast<unsigned>(d[4]) | static_cast<unsigned>(d[5]) << 8;
    std::string summary = std::string(d[2] == 1 ? "ICO" : "CUR") + " " + std::to_string(count) +
                          (count == 1 ? " image" : " images");
    for (unsigned i = 0; i < count && 6 + 16 * (i + 1) <= n; ++i) {
      const uint8_t* entry = d + 6 + 16 * i;
      std::snprintf(text, sizeof text, "%s %u x %u %u bpp", i == 0 ? ":" : ",",
                    entry[0] ? entry[0] : 256, entry[1] ? entry[1] : 256,
                    static_cast<unsigned>(entry[6]) | entry[7] << 8);
      summary += text;
    }
    return summary;
  }
  if (n >= 2 && d[0] == 'B' && d[1] == 'M') return "BMP";
  if (n >= 6 && (std::memcmp(d, "GIF87a", 6) == 0 || std::memcmp(d, "GIF89a", 6) == 0))
    return "GIF";
  return "bytes";
}

std::string FlagsText(uint32_t flags) {
  std::string text;
  if (flags & kUnitVisible) text += " visible";
  if (flags & kUnitDisabled) text += " disabled";
  if (flags & kUnitTabStop) text += " tabStop";
  uint32_t other = flags & ~(kUnitVisible | kUnitDisabled | kUnitTabStop);
  if (other != 0) text += " other " + HexInt32(static_cast<int32_t>(other));
  return text.empty() ? "-" : text.substr(1);
}

std::string PointerText(const TemplateRecord& record) {
  const Bytes& p = record.mousePointer;
  if (p.empty()) return "none";
  if (p.size() == 4) {
    int32_t code = static_cast<int32_t>(LoadLe32(p.data()));
    return code == kNoMousePointer ? "code 0 (none)" : "code " + std::to_string(code);
  }
  return "cursor file: " + DescribeBlock(p.data(), p.size());
}

// An identifier of the window's records with the record's name.
std::string UnitText(const TemplateWindow& window, int32_t id) {
  const TemplateRecord* record = FindRecord(window, id);
  std::string text = HexInt32(id);
  if (record != nullptr && record->kind == RecordKind::Unit && !record->name.empty()) {
    text += " \"" + Cp936ToDisplay(record->name) + "\"";
  } else if (record == nullptr) {
    text += " (no such record)";
  }
  return text;
}

void DumpRecord(const TemplateWindow& window, const TemplateRecord& record, size_t index,
                std::string* out) {
  const UnitDescription* unitClass = FindWidgetClass(uint32_t(record.typeReference));
  const char* className = unitClass ? unitClass->name : "";
  *out += "  record " + std::to_string(index) + " " + HexInt32(record.identifier);
  if (record.kind == RecordKind::MenuItem) {
    *out += " menu item: " + DescribeBlock(record.menuItemBody.data(), record.menuItemBody.size()) +
            "\n";
    return;
  }
  *out += std::string(" ") + (className[0] ? className : "?") + " \"" +
          Cp936ToDisplay(record.name) + "\"\n";
  *out += "    type reference " + HexInt32(record.typeReference) + "\n";
  if (!record.remark.empty()) *out += "    remark \"" + Cp936ToDisplay(record.remark) + "\"\n";
  *out += "    rect " + std::to_string(record.left) + " " + std::to_string(record.top) + " " +
          std::to_string(record.width) + " " + std::to_string(record.height) + "\n";
  *out += "    parent " +
          (record.parent == 0 ? std::string("window") : UnitText(window, record.parent)) + "\n";
  if (!record.children.empty()) {
    *out += "    children";
    for (int32_t child : record.children) *out += "\n      " + UnitText(window, child);
    *out += "\n";
  }
  *out += "    flags " + FlagsText(record.flags) + "\n";
  *out += "    pointer " + PointerText(record) + "\n";
  if (!record.tag.empty()) *out += "    tag \"" + Cp936ToDisplay(record.tag) + "\"\n";
  if (record.eventLink != 0) *out += "    event link " + UnitText(window, record.eventLink) + "\n";
  for (const Binding& binding : record.bindings) {
    *out += "    binding event " + std::to_string(binding.event) + " -> " +
            (binding.reference == kNoHandlerReference ? std::string("no handler")
                                                      : HexInt32(binding.reference)) +
            "\n";
  }
  *out += "    properties " + std::to_string(record.properties.size()) + " bytes";
  std::string properties;
  std::string why;
  if (record.properties.empty()) {
    *out += ", empty: class defaults\n";
  } else if (unitClass == nullptr) {
    *out += ", of an unknown class: " +
            DescribeBlock(record.properties.data(), record.properties.size()) + "\n";
  } else if (!DumpClassProperties(*unitClass, record.properties, "      ", &properties, &why)) {
    *out += ", refused by the " + std::string(className) + " codec (" + why +
            "): " + DescribeBlock(record.properties.data(), record.properties.size()) + "\n";
  } else {
    *out += "\n" + properties;
  }
}

}  // namespace

std::string HexInt32(int32_t value) {
  char text[16];
  std::snprintf(text, sizeof text, "0x%08X", static_cast<uint32_t>(value));
  return text;
}

std::string DescribeBlock(const uint8_t* data, size_t size) {
  if (size == 0) return "none";
  char crc[16];
  std::snprintf(crc, sizeof crc, "0x%08X", Crc32(data, size));
  return ImageSummary(data, size) + ", " + std::to_string(size) + " bytes, crc32 " + crc;
}

std::string DescribeFont(const uint8_t* d, size_t size) {
  if (size == 0) return "none (default font)";
  if (size != 60) return "not a LOGFONTA (default font): " + DescribeBlock(d, size);
  static const char* const kLongs[] = {"height", "width", "escapement", "orientation", "weight"};
  static const char* const kBytes[] = {"italic",  "underline",     "strikeOut",
                                       "charSet", "outPrecision",  "clipPrecision",
                                       "quality", "pitchAndFamily"};
  std::string text;
  for (int i = 0; i < 5; ++i) {
    text += std::string(kLongs[i]) + " " +
            std::to_string(static_cast<int32_t>(LoadLe32(d + 4 * i))) + " ";
  }
  for (int i = 0; i < 8; ++i)
    text += std::string(kBytes[i]) + " " + std::to_string(d[20 + i]) + " ";
  size_t faceLength = 0;
  while (faceLength < 32 && d[28 + faceLength] != 0) ++faceLength;
  text += "faceName \"" +
          Cp936ToDisplay(std::string(reinterpret_cast<const char*>(d + 28), faceLength)) + "\"";
  return text;
}

std::string DescribeText(const std::string& cp936, const std::string& indent) {
  if (cp936.find('\n') == std::string::npos) return "\"" + Cp936ToDisplay(cp936) + "\"";
  size_t lines = 1;
  for (char c : cp936) lines += c == '\n';
  bool crlf = true;
  for (size_t i = 0; i < cp936.size(); ++i) {
    if (cp936[i] == '\n' && (i == 0 || cp936[i - 1] != '\r')) crlf = false;
  }
  std::string text = "text of " + std::to_string(cp936.size()) + " bytes, " +
                     std::to_string(lines) + " lines separated by " +
                     (crlf ? "CR LF" : "LF or mixed line ends");
  size_t start = 0;
  while (start <= cp936.size()) {
    size_t end = cp936.find('\n', start);
    if (end == std::string::npos) end = cp936.size();
    size_t lineEnd = end;
    if (crlf && lineEnd > start && cp936[lineEnd - 1] == '\r') --lineEnd;
    text += "\n" + indent + "  | " + Cp936ToDisplay(cp936.substr(start, lineEnd - start));
    start = end + 1;
  }
  return text;
}

bool DumpTemplate(ByteBlock data, std::string* text, std::string* error) {
  text->clear();
  Template read;
  TemplateReadFailure failure;
  if (!ReadTemplate(data, nullptr, &read, &failure)) {
    *error = std::string("the template cannot be read: ") + TemplateErrorName(failure.error) +
             " at byte " + std::to_string(failure.offset) +
             (failure.window ? ", window " + HexInt32(failure.window) : std::string()) +
             (failure.unit ? ", record " + HexInt32(failure.unit) : std::string());
    return false;
  }
  *text += "template " + std::to_string(data.size) + " bytes, " +
           std::to_string(read.windows.size()) +
           (read.windows.size() == 1 ? " window\n" : " windows\n");
  for (const TemplateWindow& window : read.windows) {
    *text += "\nwindow " + HexInt32(window.identifier) + "\n";
    *text += "  slot " + HexInt32(window.storedSlot) + "\n";
    *text += "  kind " + std::to_string(window.kind) + "\n";
    *text += "  code reference " + HexInt32(window.codeReference) + "\n";
    *text += "  name \"" + Cp936ToDisplay(window.name) + "\"\n";
    *text += "  remark \"" + Cp936ToDisplay(window.remark) + "\"\n";
    *text += "  units " + std::to_string(window.records.size()) + "\n";
    if (!window.bodyOrder.empty()) {
      *text += "  record bodies in the order";
      for (uint32_t i : window.bodyOrder) *text += " " + std::to_string(i);
      *text += "\n";
    }
    for (size_t i = 0; i < window.records.size(); ++i)
      DumpRecord(window, window.records[i], i, text);
  }
  return true;
}
