#include "uninstaller/removal.h"

#include <windows.h>
#include <shlobj.h>

#include "installer/installation_layout.h"
#include "installer/machine_folders.h"
#include "services/code_page.h"
#include "services/files.h"
#include "services/registry.h"
#include "services/shell.h"
#include "services/wide_text.h"

namespace {

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

// ---- Registry keys

// Whether the key still holds what the setup program wrote into the value
// that marks it as ours; a key without such a value is ours.
bool StillOurs(const RegistryKeyItem& key, const MachineFolders& machine) {
  const RegistryValueItem* mark = OwnershipMarkOf(key);
  if (!mark) return true;
  const ResolvedValue written = Resolve(*mark, machine);
  Text text;
  return ReadRegText(key.root, written.itemPath, &text) && text == written.data;
}

// A key of ours goes whole, and only while it is still ours; then the keys
// on the way to it that writing it created, while nothing else is in them.
void RemoveKey(const RegistryKeyItem& key, const MachineFolders& machine, UninstallReport* report) {
  const Text path = KeyPathOf(key, kClassBase, kVerbName);
  const Text name = RootKeyName(RootForCode(key.root)) + ("\\" + path);
  if (!RegKeyExists(key.root, path))
    report->notFound.push_back(name);
  else if (!StillOurs(key, machine))
    report->kept.push_back(name);
  else
    Record(DeleteRegKeyTree(key.root, path) ? Removal::Removed : Removal::Failed, name, report);
  for (const Text& parent : EmptiedParentsOf(key, path))
    if (!DeleteEmptyRegKey(key.root, parent)) break;
}

// ---- Shortcuts and their group

// One shortcut, while it still leads to `target`.
void RemoveShortcut(const Text& linkName, const Text& target, UninstallReport* report) {
  const Text file = ShortcutFileName(linkName);
  if (!PathExists(file)) {
    report->notFound.push_back(file);
    return;
  }
  Text leadsTo;
  if (IsLinkOrJunction(file) || !ReadShortcutTarget(file, &leadsTo) ||
      !SamePath(leadsTo.c_str(), target.c_str())) {
    report->kept.push_back(file);
    return;
  }
  Record(DeleteFileAt(file), file, report);
}

void RemoveShortcuts(const MachineFolders& machine, UninstallReport* report) {
  // The group's shortcuts are looked for only in a group that is there and
  // is no link; a missing group stands for them in the report.
  const Text group = PathOf(kProgramGroup.path, machine);
  bool groupIsOurs = false;
  if (!group.empty()) {
    if (!PathExists(group))
      report->notFound.push_back(group);
    else
      groupIsOurs = IsOurFolder(group, report);
  }
  for (size_t i = kShortcuts.count; i-- > 0;) {
    const ShortcutItem& shortcut = *kShortcuts.entries[i];
    const Text link = PathOf(shortcut.link, machine);
    if (link.empty() || (shortcut.link.place == Place::ProgramGroup && !groupIsOurs)) continue;
    RemoveShortcut(link, PathOf(shortcut.target->path, machine), report);
  }
  if (!groupIsOurs) return;
  const Removal folder = RemoveEmptyFolder(group);
  if (folder != Removal::Failed) Record(folder, group, report);
}

// ---- Files and their folder

// What an interrupted write of the setup program left beside a file of the
// table: files under the writer's temporary names, which only it makes.
// False when one of them could not go.
bool RemoveLeftovers(const Text& path, UninstallReport* report) {
  bool allGone = true;
  for (const Text& leftover : LeftoverTemporaryFiles(path)) {
    const Removal removal = DeleteFileAt(leftover);
    Record(removal, leftover, report);
    allGone = allGone && removal != Removal::Failed;
  }
  return allGone;
}

void RemoveFiles(RemovalPlace place, const Text& running, const MachineFolders& machine,
                 UninstallReport* report) {
  const Text folder = PathOf(kInstallationFolder.path, machine);
  const bool folderIsOurs = IsOurFolder(folder, report);
  bool waitsForRestart = false;
  bool failedInFolder = false;
  for (size_t i = kFiles.count; i-- > 0;) {
    const FileItem& file = *kFiles.entries[i];
    const bool inFolder = file.path.place == Place::InstallationFolder;
    const Text path = PathOf(file.path, machine);
    if (path.empty() || (inFolder && !folderIsOurs)) continue;
    if (!RemoveLeftovers(path, report)) failedInFolder = failedInFolder || inFolder;
    if (place == RemovalPlace::InPlace && SamePath(running.c_str(), path.c_str())) {
      // This very file cannot go while it runs; its folder follows it at the
      // restart.
      MarkForRestart(path, report);
      waitsForRestart = waitsForRestart || inFolder;
      continue;
    }
    const Removal removal = DeleteFileAt(path);
    Record(removal, path, report);
    failedInFolder = failedInFolder || (inFolder && removal == Removal::Failed);
  }
  if (!folderIsOurs) return;
  if (waitsForRestart) {
    // Only a folder that will be empty by then.
    if (!failedInFolder) MarkForRestart(folder, report);
    return;
  }
  // A folder that still holds something (a file that could not go, or
  // someone else's) stays, and is no failure of its own.
  const Removal removal = RemoveEmptyFolder(folder);
  if (removal != Removal::Failed) Record(removal, folder, report);
}

}  // namespace

void RemoveInstallation(RemovalPlace place, const Text& running, UninstallReport* report) {
  const MachineFolders machine = ReadMachineFolders();
  // What the setup program wrote, from its last step to its first.
  RemoveKey(kUninstallEntry, machine, report);
  RemoveShortcuts(machine, report);
  RemoveKey(kFolderVerb, machine, report);
  RemoveKey(kAllFilesVerb, machine, report);
  RemoveKey(kClassKey, machine, report);
  RemoveKey(kExtensionKey, machine, report);
  RemoveFiles(place, running, machine, report);
  // One notification for the whole change of associations.
  SHChangeNotify(SHCNE_ASSOCCHANGED, SHCNF_IDLIST, nullptr, nullptr);
}
