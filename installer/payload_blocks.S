/* The three payload files as stored byte blocks: dimension count 1, byte
   count, bytes. Each block's end has a symbol of its own, so that the block
   is read within its bounds. The build copies the files to payload/ in its
   own folder under plain names and passes that folder with -I. Each block
   has a section of its own so that the linker drops only what nothing
   refers to. */

#include "assembly_symbol.h"

.macro payload_block name, end, file
  .section .rdata$\name, "dr"
  .balign 4
  .globl C_SYMBOL(\name)
  .globl C_SYMBOL(\end)
C_SYMBOL(\name):
  .long 1
  .long \name\()_end - \name\()_start
\name\()_start:
  .incbin "\file"
\name\()_end:
C_SYMBOL(\end):
.endm

payload_block MainProgramImage, MainProgramImageEnd, "main-program.bin"
payload_block UninstallerImage, UninstallerImageEnd, "uninstaller.bin"
payload_block ProductIconImage, ProductIconImageEnd, "product-icon.bin"
