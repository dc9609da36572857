#include "tools/template_compiler/exe_template.h"

#include <cstring>

#include "services/little_endian.h"

#include "frame/template/embedded_template.h"

bool FindEmbeddedTemplate(const std::string& exe, ByteBlock* out, std::string* error) {
  const std::string marker(kEmbeddedTemplateMarker, sizeof kEmbeddedTemplateMarker);
  size_t found = std::string::npos;
  for (size_t at = exe.find(marker); at != std::string::npos; at = exe.find(marker, at + 1)) {
    if (exe.size() - at < kEmbeddedTemplateHeader) continue;
    const uint8_t* p =
        reinterpret_cast<const uint8_t*>(exe.data()) + at + sizeof kEmbeddedTemplateMarker;
    const uint32_t size = LoadLe32(p);
    if (size > exe.size() - at - kEmbeddedTemplateHeader) continue;
    if (found != std::string::npos) {
      *error = "two embedded template blocks (at file offsets " + std::to_string(found) + " and " +
               std::to_string(at) + ")";
      return false;
    }
    found = at;
    out->data = reinterpret_cast<const uint8_t*>(exe.data()) + at + kEmbeddedTemplateHeader;
    out->size = size;
  }
  if (found == std::string::npos) {
    *error = "no embedded template block";
    return false;
  }
  return true;
}
