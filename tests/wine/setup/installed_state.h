// What an installation leaves on the machine, read back through the wide
// Win32 API: files, registry values (in the setup program's registry view:
// that of a 32-bit program on 64-bit Windows) and shell links. Names and
// texts are code page 936, converted explicitly to and from what Windows
// holds, so that they mean the same whatever the ANSI code page; the paths in
// the user's folders are UTF-16, as Windows names them (the user's name need
// not fit code page 936).
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "installer/installation_layout.h"

// The installed paths (code page 936), as the installation table has them.
extern const std::string kInstallFolder;
extern const std::string kMainProgramPath;
extern const std::string kUninstallerPath;
extern const std::string kUninstallKey;

// The setup program's registry view, for any registry call of a test.
extern const REGSAM kSetupRegistryView;

// The machine's folders as the setup program sees them: the folder that its
// writes to the system directory reach (the 32-bit system folder under
// WoW64), the user's programs and desktop folders.
MachineFolders SetupMachineFolders();

// The path of an item of the table on this machine (code page 936: for the
// fixed paths and the system folder), and as Windows names it.
std::string PathHere(const PlacedName& name);
std::wstring WidePathHere(const PlacedName& name);

// The icon's path: that system folder and "zorva.ico".
std::string IconPath();

// A registry value of the table as the setup program writes it here.
struct TableValue {
  HKEY root;
  std::string key;
  const char* name;  // empty for the default value
  std::string data;
  bool onlyWhereMissing;  // kept where an earlier installation left one
};
// Every value, in the order they are written.
std::vector<TableValue> TableValues();

// The items of the table that are on the machine, one a line ("" when none
// is): the files and their folder; the registry keys, the shortcuts and
// their group.
std::string FilesPresent();
std::string RegistrationPresent();

// The string value, without its terminating NUL; "<none>" when missing,
// "<not REG_SZ>" or "<no NUL>" when malformed. Read in the setup program's
// view unless another one (KEY_WOW64_64KEY) is asked for.
std::string RegistryText(HKEY root, const std::string& keyPath, const char* name,
                         REGSAM view = kSetupRegistryView);
bool RegistryKeyExists(HKEY root, const std::string& keyPath);
void SetRegistryText(HKEY root, const std::string& keyPath, const char* name,
                     const std::string& text);

// The raw target path of a shell link, or "<unreadable>".
std::string ShortcutTarget(const std::wstring& linkFile);
std::string ShortcutTarget(const std::string& linkFile);

// The shell folder (CSIDL_*) without a trailing backslash.
std::string ShellFolder(int csidl);
std::wstring WideShellFolder(int csidl);

// The three shortcut files as they must be named, and their group.
std::wstring DesktopShortcut();
std::wstring GroupShortcut();
std::wstring GroupUninstallShortcut();
std::wstring ProgramGroup();

bool PathExists(const std::wstring& path);
bool PathExists(const std::string& path);
bool IsFolder(const std::string& path);
// How a file is looked for: as this process sees the file system, or as a
// 64-bit program does (the 64-bit shell on 64-bit Windows, which reads a
// registered icon past the 32-bit programs' redirection).
enum class FileView { Own, As64BitProgram };

// Whether the file holds exactly the bytes of `expected` (a file of the
// build); a description of the difference otherwise.
std::string CompareFiles(const std::string& installed, const std::string& expected,
                         FileView view = FileView::Own);
