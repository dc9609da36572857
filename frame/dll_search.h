// The first thing the program does: keep the loader out of the program's
// own folder.
#pragma once

// A setup program is started elevated from a downloads folder, where other
// downloads can have left a version.dll or uxtheme.dll for it to pick up:
// from here on, libraries loaded by bare name (by us or by the system
// libraries we use) come from the system directory only, and the system
// libraries that are loaded by bare name later on are loaded now by their
// full path.
void RestrictDllSearch();
