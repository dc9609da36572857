#include "installer/registration.h"

#include <windows.h>
#include <shlobj.h>

#include "frame/external_functions.h"
#include "installer/external_call_sites.h"
#include "installer/installation_layout.h"
#include "installer/payload.h"
#include "services/files.h"
#include "services/registry.h"
#include "services/shell.h"
#include "services/text_search.h"

const char kHomePage[] = MORVANE_HOME_PAGE;

namespace {

const char kClassDisplayName[] = "\xCE\xC4\xBC\xFE\xBC\xD0";  // 文件夹
const char kVerbCommand[] = "\\command\\";

const char kDisplayName[] = "Morvane";
// The product's own version as the list of programs shows it; the setup
// program's version resource is another matter.
const char kDisplayVersion[] = "1.3";
const char kPublisher[] = "Quenrith";

bool WriteText(int32_t root, const Text& itemPath, const Text& text) {
  return WriteRegItem(root, itemPath, Value::OfText(text));
}

bool AddVerb(const char* prefix, const Text& verbName, const Text& command) {
  if (FindText(verbName, "\\") != -1) return false;
  return WriteText(kClassesRoot, prefix + verbName + kVerbCommand, OpenCommandOf(command));
}

void AddVerbUnlessPresent(const char* prefix) {
  // A command left by an earlier installation is kept, whatever it names.
  if (!RegItemExists(kClassesRoot, prefix + Text(kVerbName) + kVerbCommand))
    AddVerb(prefix, kVerbName, kMainProgramPath);
}

void CreateShortcuts() {
  // Without the special folder the names would be relative to the current
  // directory, the setup program's own folder: no folder, no shortcut.
  Text programs = GetSpecialFolder(kFolderPrograms);
  if (!programs.empty()) CreateFolder(programs + kProgramGroup);
  Text desktop = GetSpecialFolder(kFolderDesktop);
  if (!desktop.empty()) CreateShortcut(desktop + kMainShortcut, kMainProgramPath);
  if (!programs.empty()) {
    Text group = programs + kProgramGroup + "\\";
    CreateShortcut(group + kMainShortcut, kMainProgramPath);
    CreateShortcut(group + kUninstallShortcut, kUninstallerPath);
  }
}

void WriteUninstallEntry() {
  const Text entry = Text(kUninstallEntryKey) + "\\";
  WriteText(kLocalMachine, entry + "DisplayIcon", kMainProgramPath);
  WriteText(kLocalMachine, entry + "DisplayName", kDisplayName);
  WriteText(kLocalMachine, entry + "DisplayVersion", kDisplayVersion);
  // Windows runs this as a command line: quoted for the blank in the path.
  WriteText(kLocalMachine, entry + "UninstallString", UninstallCommand());
  WriteText(kLocalMachine, entry + "Publisher", kPublisher);
  WriteText(kLocalMachine, entry + "URLInfoAbout", kHomePage);
}

}  // namespace

bool RegisterFileClass(const Text& exePath, const Text& classBase, const Text& iconPath) {
  const Text classKey = classBase + "file";
  if (!WriteText(kClassesRoot, "." + classBase + "\\", classKey)) return false;
  if (!WriteText(kClassesRoot, classKey + "\\", kClassDisplayName)) return false;
  if (!WriteText(kClassesRoot, classKey + "\\DefaultIcon\\", iconPath + ",0")) return false;
  if (!WriteText(kClassesRoot, classKey + "\\shell\\open\\command\\", OpenCommandOf(exePath)))
    return false;
  if (!WriteText(kClassesRoot, classKey + "\\NeverShowExt", "")) return false;

  FARPROC notify = ResolveExternalFunction(ExternalFunction::SHChangeNotify);
  if (notify)
    CallExternal(notify, {kRegisterFileClassProcedure, 1}, LONG(SHCNE_ASSOCCHANGED),
                 UINT(SHCNF_IDLIST), nullptr, nullptr);
  return true;
}

bool AddAllFilesVerb(const Text& verbName, const Text& command) {
  return AddVerb(kAllFilesVerbs, verbName, command);
}

bool AddFolderVerb(const Text& verbName, const Text& command) {
  return AddVerb(kFolderVerbs, verbName, command);
}

bool RegisterInstallation() {
  if (!RegisterFileClass(kMainProgramPath, kClassBase, ProductIconPath())) return false;
  AddVerbUnlessPresent(kAllFilesVerbs);
  AddVerbUnlessPresent(kFolderVerbs);
  CreateShortcuts();
  WriteUninstallEntry();
  return true;
}
