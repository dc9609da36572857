// Shell services: special-folder paths and shell links. Paths are
// WidePaths: a folder as Windows names it, and the program's own names
// joined to it (services/wide_text.h).
#pragma once

#include "services/values.h"
#include "services/wide_text.h"

// Folder codes of GetSpecialFolder.
enum FolderCode : int {
  kFolderDocuments = 1,
  kFolderFavorites = 2,
  kFolderDesktop = 3,
  kFolderFonts = 4,
  kFolderStartMenu = 5,
  kFolderPrograms = 6,
  kFolderStartup = 7,
  kFolderAppData = 8,
  kFolderWindows = 9,
  kFolderSystem = 10,
  kFolderTemp = 11,
};

// The folder's path ending in exactly one backslash, or the empty path for an
// unknown code, a failing Windows call, or a path with no room left for the
// backslash within MAX_PATH.
WidePath GetSpecialFolder(int folderCode);

// The folder that this process's writes to the system directory really
// reach, in the same form: the system directory itself, but under WoW64 (a
// 32-bit program on 64-bit Windows) the 32-bit system folder (SysWOW64) that
// those writes are redirected to. A path written there means the same file to
// 32-bit and 64-bit programs, where "System32" means two different folders.
WidePath GetWrittenSystemFolder();

// Saves a shell link to `target` (show command SW_SHOW). A name whose file
// name (after the last backslash) has no '.' gets ".lnk"; dots in folder
// names do not count. The optional ones are set only when given. The folder
// must exist. COM must be initialised on the calling thread.
bool CreateShortcut(const WidePath& linkName, const WidePath& target,
                    const Text* description = nullptr, const Text* arguments = nullptr,
                    const WidePath* workingDirectory = nullptr);

// The file that CreateShortcut saves for `linkName`: the name with ".lnk"
// appended when its file name has no dot.
WidePath ShortcutFileName(const WidePath& linkName);

// The target path that the shell link file `linkFile` points at, as stored.
// False when the file cannot be read as a shell link. COM must be
// initialised on the calling thread.
bool ReadShortcutTarget(const WidePath& linkFile, WidePath* target);

// Opens `target` (a web address, a file) with the shell's "open" verb, shown
// with `showCommand` (SW_SHOWNORMAL...). False when the shell cannot open it,
// or shell32 cannot be loaded.
bool OpenWithShell(const WideText& target, int showCommand);
