#include "frame/template/embedded_template.h"

extern "C" const uint8_t WindowTemplateBlock[];
extern "C" const uint8_t WindowTemplateBlockEnd[];

ByteBlock EmbeddedTemplate() {
  const uint8_t* stored = WindowTemplateBlock + sizeof kEmbeddedTemplateMarker;
  ByteBlock block;
  if (!ReadStoredBlock(stored, size_t(WindowTemplateBlockEnd - stored), &block)) return ByteBlock();
  return block;
}
