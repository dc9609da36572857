#include "installer/installation_layout.h"

const char kInstallFolder[] = "C:\\Program Files\\zorva";
const char kMainProgramPath[] = "C:\\Program Files\\zorva\\Morvane.exe";
// "C:\Program Files\zorva\卸载Morvane.exe"
const char kUninstallerPath[] = "C:\\Program Files\\zorva\\\xD0\xB6\xD4\xD8Morvane.exe";
const char kIconFileName[] = "zorva.ico";

const char kClassBase[] = "zorva";
const char kExtensionKey[] = ".zorva";
const char kClassKey[] = "zorvafile";

const char kVerbName[] = "Morvane";
const char kAllFilesVerbs[] = "*\\shell\\";
const char kFolderVerbs[] = "Directory\\shell\\";

const char kUninstallEntryKey[] =
    "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Morvane";

const char kProgramGroup[] = "tervilo";
const char kMainShortcut[] = "Morvane";
const char kUninstallShortcut[] = "\xD0\xB6\xD4\xD8Morvane";  // 卸载Morvane

Text Quoted(const Text& path) { return "\"" + path + "\""; }

Text OpenCommandOf(const Text& program) { return Quoted(program) + " \"%1\""; }

Text UninstallCommand() { return Quoted(kUninstallerPath); }
