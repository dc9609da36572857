#include "tools/template_compiler/identifiers_header.h"

#include <cstdio>
#include <set>

namespace {

bool IsIdentifier(const std::string& name) {
  if (name.empty() || (name[0] >= '0' && name[0] <= '9')) return false;
  for (char c : name) {
    if (!((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_'))
      return false;
  }
  return true;
}

std::string Hex(int32_t value, const char* format) {
  char text[16];
  std::snprintf(text, sizeof text, format, static_cast<unsigned>(static_cast<uint32_t>(value)));
  return text;
}

}  // namespace

bool MakeIdentifiersHeader(const TemplateCodeNames& names, const std::string& sourceName,
                           std::string* header, std::string* error) {
  std::set<std::string> constants;
  auto claim = [&](const std::string& constant) {
    if (constants.insert(constant).second) return true;
    *error = "two names of the template make the constant " + constant;
    return false;
  };
  std::string text = "// The identifiers of the window template " + sourceName +
                     ":\n"
                     "// its windows and units by their code names, and the references of its\n"
                     "// handlers. Written by the template compiler at build time.\n"
                     "#pragma once\n"
                     "\n"
                     "#include <cstdint>\n"
                     "\n"
                     "#include \"services/values.h\"\n";
  for (const CodeNamedWindow& window : names.windows) {
    if (window.codeName.empty() && window.units.empty()) continue;
    text += "\n";
    const std::string windowHex = Hex(window.identifier, "0x%08X");
    // The units name their window by its constant, or by its number.
    std::string windowId = "WindowId{" + windowHex + "}";
    if (!window.codeName.empty()) {
      const std::string constant = "k" + window.codeName;
      if (!claim(constant)) return false;
      text += "constexpr WindowId " + constant + "{" + windowHex + "};\n";
      windowId = constant;
    }
    for (const CodeNamedUnit& unit : window.units) {
      const std::string constant = "k" + unit.codeName;
      if (!claim(constant)) return false;
      text += "constexpr UnitRef " + constant + "{" + windowId + ", UnitId{" +
              Hex(unit.identifier, "0x%08X") + "}};  // " +
              (unit.name.empty() ? "" : unit.name + ", ") + unit.className + "\n";
    }
  }
  if (!names.handlers.empty()) text += "\n// The references that the template's bindings store.\n";
  for (const auto& [name, reference] : names.handlers) {
    if (!IsIdentifier(name)) {
      *error = "handlers." + name + ": a handler's name is a C++ identifier";
      return false;
    }
    const std::string constant = "k" + name + "Reference";
    if (!claim(constant)) return false;
    text += "constexpr int32_t " + constant + " = " +
            (reference < 0 ? std::to_string(reference) : Hex(reference, "0x%X")) + ";\n";
  }
  *header = text;
  return true;
}
