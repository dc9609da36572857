/* The compiled window template, with its marker and size in front (layout in
   embedded_template.h). The build writes the template as window-template.bin
   into a folder of its own and passes that folder with -I. */

#include "assembly_symbol.h"

  .section .rdata$WindowTemplate, "dr"
  .balign 4
  .globl C_SYMBOL(WindowTemplateBlock)
C_SYMBOL(WindowTemplateBlock):
  .ascii "Morvane Template"
  .long template_end - template_start
template_start:
  .incbin "window-template.bin"
template_end:
