// The first thing the program does: keep the loader out of the program's
// own folder, and refuse to run where libraries are redirected.
#pragma once

#include <windows.h>

#include <string>

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

// For RestrictDllSearch and its test: whether "<file>.local" stands beside
// the file of `module` (nullptr: the program), whatever the length of its
// path. True too where that path cannot be read whole or has no form that
// reaches it at any length: nothing then says that no such folder is there.
bool LibrariesRedirectedFor(HMODULE module);

// The form of a full path that reaches its file at any length, and names it
// as given: "C:\dir\x.exe" gives "\\?\C:\dir\x.exe", "\\server\share\x.exe"
// "\\?\UNC\server\share\x.exe", a path in that form stays. Empty for any
// other path (relative, on the current folder of a drive, a device path) and
// for one that Windows would rewrite first (forward slashes, "." or ".."
// components), whose literal form may name another file.
std::wstring ExtendedLengthPath(const std::wstring& path);
