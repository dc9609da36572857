// The reference installer's share of the installation table: what the setup
// program writes, in the order it writes it, as NSIS commands, so that the
// reference does the same job item for item. Pure code, host tree.
#pragma once

#include <string>

// An NSIS include (code page 936, as the table's texts are): a define
// MORVANE_INSTALL_DIR, the installation folder, and a macro MorvaneItems
// for the installer's section, which writes the files from the payload
// folder ${PAYLOAD} (main-program.bin, uninstaller.bin, product-icon.bin),
// the registry values, the program group and the shortcuts.
std::string ReferenceItems();
