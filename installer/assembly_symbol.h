/* The assembler's name of a C symbol: 32-bit Windows puts an underscore in
   front of it, 64-bit Windows does not. */
#ifndef MORVANE_INSTALLER_ASSEMBLY_SYMBOL_H
#define MORVANE_INSTALLER_ASSEMBLY_SYMBOL_H

#define C_SYMBOL_PASTE(prefix, name) prefix##name
#define C_SYMBOL_EXPAND(prefix, name) C_SYMBOL_PASTE(prefix, name)
#define C_SYMBOL(name) C_SYMBOL_EXPAND(__USER_LABEL_PREFIX__, name)

#endif
