// The first thing the program does: keep the loader out of the program's
// own folder, and refuse to run where libraries are redirected.
#pragma once

// A setup program is started elevated from a downloads folder, where other
// downloads can have left a version.dll or uxtheme.dll for it to pick up:
// from here on, libraries loaded by bare name (by us or by the system
// libraries we use) come from the system directory only, and the system
// libraries that are loaded by bare name later on are loaded now by their
// full path.
//
// Where "<program file>.local" stands beside the program (a folder, or a
// file), Windows loads the program's libraries from that folder (or, for a
// file, from the program's own folder) whatever path they are asked for by:
// the common controls of the manifest, and libraries asked for by their full
// path, included. That is meant for developers; in an elevated setup program
// it runs whatever the folder holds. Answers false then, having loaded
// nothing: the program must not go on.
bool RestrictDllSearch();
