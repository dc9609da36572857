#include "frame/template/embedded_template.h"

#include "services/little_endian.h"

extern "C" const uint8_t WindowTemplateBlock[];

ByteBlock EmbeddedTemplate() {
  const uint32_t size = LoadLe32(WindowTemplateBlock + sizeof kEmbeddedTemplateMarker);
  return {WindowTemplateBlock + kEmbeddedTemplateHeader, size};
}
