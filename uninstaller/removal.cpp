#include "uninstaller/removal.h"

#include <windows.h>
#include <shlobj.h>

#include "installer/installation_layout.h"
#include "services/code_page.h"
#include "services/files.h"
#include "services/registry.h"
#include "services/shell.h"
#include "services/wide_text.h"

namespace {

const char kClassesRootName[] = "HKEY_CLASSES_ROOT\\";
const char kLocalMachineName[] = "HKEY_LOCAL_MACHINE\\";

void Record(Removal outcome, const Text& name, UninstallReport* report) {
  switch (outcome) {
    case Removal::Removed:
      report->removed.push_back(name);
      break;
    case Removal::NotFound:
      report->notFound.push_back(name);
      break;
    case Removal::Failed:
      report->failed.push_back(name);
      break;
  }
}

// Deletion at the next restart: the files first, then their folder, which
// Windows removes only once it is empty.
void MarkForRestart(const Text& path, UninstallReport* report) {
  if (MoveFileExW(WideText(path).c_str(), nullptr, MOVEFILE_DELAY_UNTIL_REBOOT))
    report->atRestart.push_back(path);
  else
    report->failed.push_back(path);
}

// A folder of ours that has become a link or junction leads somewhere else:
// nothing inside it is ours to delete.
bool IsOurFolder(const Text& folder, UninstallReport* report) {
  if (!IsLinkOrJunction(folder)) return true;
  report->kept.push_back(folder);
  return false;
}

void RemoveFiles(RemovalPlace place, const Text& running, UninstallReport* report) {
  if (IsOurFolder(kInstallFolder, report)) {
    const Removal main = DeleteFileAt(kMainProgramPath);
    Record(main, kMainProgramPath, report);
    if (place == RemovalPlace::InPlace && SamePath(running.c_str(), kUninstallerPath)) {
      // This very file cannot go while it runs; the folder follows it at the
      // restart, once it is empty by then.
      MarkForRestart(kUninstallerPath, report);
      if (main != Removal::Failed) MarkForRestart(kInstallFolder, report);
    } else {
      Record(DeleteFileAt(kUninstallerPath), kUninstallerPath, report);
      // A folder that still holds something (a file that could not go, or
      // someone else's) stays, and is no failure of its own.
      const Removal folder = RemoveEmptyFolder(kInstallFolder);
      if (folder != Removal::Failed) Record(folder, kInstallFolder, report);
    }
  }
  const Text icon = GetWrittenSystemFolder() + kIconFileName;
  Record(DeleteFileAt(icon), icon, report);
}

// A key that goes whole, and only while `stillOurs` says it holds what the
// setup program wrote.
template <typename Check>
void RemoveKeyIf(int32_t root, const Text& key, const char* rootName, Check stillOurs,
                 UninstallReport* report) {
  const Text name = rootName + key;
  if (!RegKeyExists(root, key)) {
    report->notFound.push_back(name);
    return;
  }
  if (!stillOurs()) {
    report->kept.push_back(name);
    return;
  }
  Record(DeleteRegKeyTree(root, key) ? Removal::Removed : Removal::Failed, name, report);
}

// Whether the default value of `key` (or its named value) is `expected`.
bool TextIs(int32_t root, const Text& itemPath, const Text& expected) {
  Text text;
  return ReadRegText(root, itemPath, &text) && text == expected;
}

void RemoveRegistration(UninstallReport* report) {
  RemoveKeyIf(
      kClassesRoot, kExtensionKey, kClassesRootName,
      [] { return TextIs(kClassesRoot, Text(kExtensionKey) + "\\", kClassKey); }, report);
  RemoveKeyIf(
      kClassesRoot, kClassKey, kClassesRootName, [] { return true; }, report);
  for (const char* prefix : {kAllFilesVerbs, kFolderVerbs}) {
    const Text verb = Text(prefix) + kVerbName;
    RemoveKeyIf(
        kClassesRoot, verb, kClassesRootName,
        [&] { return TextIs(kClassesRoot, verb + "\\command\\", OpenCommandOf(kMainProgramPath)); },
        report);
  }
  // The keys on the way to the verbs, which writing them created where they
  // were missing, go too while nothing else is in them ("*" itself, which
  // every Windows has, stays).
  for (const char* emptied : {"*\\shell", "Directory\\shell", "Directory"})
    DeleteEmptyRegKey(kClassesRoot, emptied);
  RemoveKeyIf(
      kLocalMachine, kUninstallEntryKey, kLocalMachineName,
      [] {
        return TextIs(kLocalMachine, Text(kUninstallEntryKey) + "\\UninstallString",
                      UninstallCommand());
      },
      report);
}

// One shortcut, while it still leads to `target`.
void RemoveShortcut(const Text& folder, const Text& linkName, const char* target,
                    UninstallReport* report) {
  const Text file = ShortcutFileName(folder + linkName);
  if (!PathExists(file)) {
    report->notFound.push_back(file);
    return;
  }
  Text leadsTo;
  if (IsLinkOrJunction(file) || !ReadShortcutTarget(file, &leadsTo) ||
      !SamePath(leadsTo.c_str(), target)) {
    report->kept.push_back(file);
    return;
  }
  Record(DeleteFileAt(file), file, report);
}

void RemoveShortcuts(UninstallReport* report) {
  const Text desktop = GetSpecialFolder(kFolderDesktop);
  if (!desktop.empty()) RemoveShortcut(desktop, kMainShortcut, kMainProgramPath, report);
  const Text programs = GetSpecialFolder(kFolderPrograms);
  if (programs.empty()) return;
  const Text group = programs + kProgramGroup;
  if (!PathExists(group)) {
    report->notFound.push_back(group);
    return;
  }
  if (!IsOurFolder(group, report)) return;
  RemoveShortcut(group + "\\", kMainShortcut, kMainProgramPath, report);
  RemoveShortcut(group + "\\", kUninstallShortcut, kUninstallerPath, report);
  const Removal folder = RemoveEmptyFolder(group);
  if (folder != Removal::Failed) Record(folder, group, report);
}

}  // namespace

void RemoveInstallation(RemovalPlace place, const Text& running, UninstallReport* report) {
  RemoveFiles(place, running, report);
  RemoveRegistration(report);
  RemoveShortcuts(report);
  // One notification for the whole change of associations.
  SHChangeNotify(SHCNE_ASSOCCHANGED, SHCNF_IDLIST, nullptr, nullptr);
}
