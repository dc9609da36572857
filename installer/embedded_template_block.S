/* The compiled window template: its marker, then the template as a stored
   block, then the symbol of the block's end (layout in embedded_template.h),
   and after it, aligned, the CRC-32 of the template's bytes that the build
   took (WindowTemplateChecksum). The build writes the template as
   window-template.bin, and the checksum's header, into a folder of its own
   and passes that folder with -I. */

#include "assembly_symbol.h"
#include "template-checksum.h"

  .section .rdata$WindowTemplate, "dr"
  .balign 4
  .globl C_SYMBOL(WindowTemplateBlock)
  .globl C_SYMBOL(WindowTemplateBlockEnd)
  .globl C_SYMBOL(WindowTemplateChecksum)
C_SYMBOL(WindowTemplateBlock):
  .ascii "Morvane Template"
  .long 1
  .long template_end - template_start
template_start:
  .incbin "window-template.bin"
template_end:
C_SYMBOL(WindowTemplateBlockEnd):
  .balign 4
C_SYMBOL(WindowTemplateChecksum):
  .long WINDOW_TEMPLATE_CHECKSUM
