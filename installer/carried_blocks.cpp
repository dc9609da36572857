#include "installer/carried_blocks.h"

#include "frame/template/embedded_template.h"
#include "installer/installation_layout.h"
#include "installer/payload.h"

extern "C" const uint32_t WindowTemplateChecksum;

bool CarriedBlocksIntact() {
  for (const FileItem* file : kFiles)
    if (!PayloadIntact(file->block)) return false;
  const ByteBlock windowTemplate = EmbeddedTemplate();
  return windowTemplate.data && ChecksumOf(windowTemplate) == WindowTemplateChecksum;
}
