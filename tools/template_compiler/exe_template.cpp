#include "tools/template_compiler/exe_template.h"

#include "frame/template/embedded_template.h"

bool FindEmbeddedTemplate(const std::string& exe, ByteBlock* out, std::string* error) {
  const std::string marker(kEmbeddedTemplateMarker, sizeof kEmbeddedTemplateMarker);
  const auto* bytes = reinterpret_cast<const uint8_t*>(exe.data());
  size_t found = std::string::npos;
  for (size_t at = exe.find(marker); at != std::string::npos; at = exe.find(marker, at + 1)) {
    // A marker without a sound stored block after it (cut short, or with a
    // size that runs past the file) is no block.
    const size_t stored = at + marker.size();
    ByteBlock block;
    if (!ReadStoredBlock(bytes + stored, exe.size() - stored, &block)) continue;
    if (found != std::string::npos) {
      *error = "two embedded template blocks (at file offsets " + std::to_string(found) + " and " +
               std::to_string(at) + ")";
      return false;
    }
    found = at;
    *out = block;
  }
  if (found == std::string::npos) {
    *error = "no embedded template block";
    return false;
  }
  return true;
}
