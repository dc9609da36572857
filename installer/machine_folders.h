// The installation table's places on this machine, as this process sees
// them: asked of Windows each time, never kept.
#pragma once

#include "installer/installation_layout.h"

// The system folder where this process's writes land (the 32-bit one under
// WoW64), and the user's programs and desktop folders.
MachineFolders ReadMachineFolders();

// The path of an item of the table on this machine; empty when its place is
// unknown here.
Text PathOnMachine(const PlacedName& name);
