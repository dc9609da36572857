#include "frame/template/embedded_template.h"

#include <cstring>

extern "C" const uint8_t WindowTemplateBlock[];

ByteBlock EmbeddedTemplate() {
  uint32_t size = 0;
  std::memcpy(&size, WindowTemplateBlock + sizeof kEmbeddedTemplateMarker, sizeof size);
  return {WindowTemplateBlock + kEmbeddedTemplateHeader, size};
}
