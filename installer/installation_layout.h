// What an installation puts on the machine, named once: the setup program
// writes exactly this, and the uninstaller removes exactly this and nothing
// else. Texts are code page 936. Pure code: builds for Windows and the host.
#pragma once

#include "services/values.h"

// Files. The icon goes to the folder where the setup program's writes to the
// system directory land (payload.h).
extern const char kInstallFolder[];    // "C:\Program Files\zorva"
extern const char kMainProgramPath[];  // its "Morvane.exe"
extern const char kUninstallerPath[];  // its "卸载Morvane.exe"
extern const char kIconFileName[];     // "zorva.ico"

// The file class of ".zorva": the extension key, whose default value names
// the class key "zorvafile".
extern const char kClassBase[];     // "zorva"
extern const char kExtensionKey[];  // ".zorva"
extern const char kClassKey[];      // "zorvafile"

// The two context-menu verbs: a key named kVerbName under each prefix, its
// command in the default value of its "command" subkey.
extern const char kVerbName[];       // "Morvane"
extern const char kAllFilesVerbs[];  // "*\shell\"
extern const char kFolderVerbs[];    // "Directory\shell\"

// The uninstall entry under HKEY_LOCAL_MACHINE, a key path without a
// trailing backslash.
extern const char kUninstallEntryKey[];

// Shortcuts, as names for CreateShortcut: on the desktop, and in the program
// group folder of the Start menu's programs.
extern const char kProgramGroup[];       // "tervilo"
extern const char kMainShortcut[];       // "Morvane"
extern const char kUninstallShortcut[];  // "卸载Morvane"

// "path" in double quotes.
Text Quoted(const Text& path);

// The command of the file class and of each verb: the quoted program, a
// blank and the quoted argument, so that neither a blank in the program's
// path nor one in a file name splits the command line.
Text OpenCommandOf(const Text& program);

// UninstallString: the quoted uninstaller, which Windows runs as a command
// line.
Text UninstallCommand();
