/* The three payload files as stored byte blocks: dimension count 1, byte
   count, bytes. Each block's end has a symbol of its own, so that the block
   is read within its bounds, and after it, aligned, the CRC-32 of its bytes
   that the build took (<name>Checksum, from payload-checksums.h). The build
   copies the files to payload/ in its own folder under plain names and
   passes that folder with -I; the checksums' header is written there too.
   Each block has a section of its own so that the linker drops only what
   nothing refers to. */

#include "assembly_symbol.h"
#include "payload-checksums.h"

.macro payload_block name, end, file, checksum
  .section .rdata$\name, "dr"
  .balign 4
  .globl C_SYMBOL(\name)
  .globl C_SYMBOL(\end)
  .globl C_SYMBOL(\name\()Checksum)
C_SYMBOL(\name):
  .long 1
  .long \name\()_end - \name\()_start
\name\()_start:
  .incbin "\file"
\name\()_end:
C_SYMBOL(\end):
  .balign 4
C_SYMBOL(\name\()Checksum):
  .long \checksum
.endm

payload_block MainProgramImage, MainProgramImageEnd, "main-program.bin", MAIN_PROGRAM_CHECKSUM
payload_block UninstallerImage, UninstallerImageEnd, "uninstaller.bin", UNINSTALLER_CHECKSUM
payload_block ProductIconImage, ProductIconImageEnd, "product-icon.bin", PRODUCT_ICON_CHECKSUM
