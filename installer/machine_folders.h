// The installation table's places on this machine, as this process sees
// them: asked of Windows each time, never kept, and kept as Windows names
// them (a user's name need not fit code page 936).
#pragma once

#include "installer/installation_layout.h"
#include "services/wide_text.h"

using MachinePaths = FoldersOf<WidePath>;

// The system folder where this process's writes land (the 32-bit one under
// WoW64), and the user's programs and desktop folders.
MachinePaths ReadMachinePaths();

// The path of an item of the table among those folders, or on this machine,
// asking Windows for the one folder that it needs; empty when its place is
// unknown here.
WidePath PathOn(const MachinePaths& machine, const PlacedName& name);
WidePath PathOnMachine(const PlacedName& name);

// The folders as texts, for the values that name a path in a text: each
// one's exact code-page-936 text, and empty where it has none, so that a
// value is never made from an approximation that names another folder.
MachineFolders FolderTextsOf(const MachinePaths& machine);

// The path of an item on this machine as an exact text; empty when its place
// is unknown here or its path has no exact code-page-936 form.
Text PathTextOnMachine(const PlacedName& name);
