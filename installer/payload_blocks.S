/* The three payload files as stored byte blocks: dimension count 1, byte
   count, bytes. The build copies the files to payload/ in its own folder
   under plain names and passes that folder with -I. Each block has a section
   of its own so that the linker drops only what nothing refers to. */

#include "assembly_symbol.h"

.macro payload_block name, file
  .section .rdata$\name, "dr"
  .balign 4
  .globl C_SYMBOL(\name)
C_SYMBOL(\name):
  .long 1
  .long \name\()_end - \name\()_start
\name\()_start:
  .incbin "\file"
\name\()_end:
.endm

payload_block MainProgramImage, "main-program.bin"
payload_block UninstallerImage, "uninstaller.bin"
payload_block ProductIconImage, "product-icon.bin"
