#include "uninstaller/removal.h"

#include <windows.h>
#include <shlobj.h>

#include "installer/installation_layout.h"
#include "installer/machine_folders.h"
#include "services/files.h"
#include "services/registry.h"
#include "services/shell.h"
#include "services/wide_text.h"

namespace {

// The report names each path as a person is shown it (ShownTextOfPath):
// never an approximation of a name that code page 936 cannot write.
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
// Windows removes only once it is empty. False, and named as a failure,
// where Windows does not take it.
bool MarkForRestart(const WidePath& path, UninstallReport* report) {
  if (MoveFileExW(path.c_str(), nullptr, MOVEFILE_DELAY_UNTIL_REBOOT)) {
    report->atRestart.push_back(ShownTextOfPath(path));
    return true;
  }
  report->failed.push_back(ShownTextOfPath(path));
  return false;
}

// A folder of ours that has become a link or junction leads somewhere else:
// nothing inside it is ours to delete.
bool IsOurFolder(const WidePath& folder, UninstallReport* report) {
  if (!IsLinkOrJunction(folder)) return true;
  report->kept.push_back(ShownTextOfPath(folder));
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
void RemoveShortcut(const WidePath& linkName, const WidePath& target, UninstallReport* report) {
  const WidePath file = ShortcutFileName(linkName);
  if (!PathExists(file)) {
    report->notFound.push_back(ShownTextOfPath(file));
    return;
  }
  WidePath leadsTo;
  if (IsLinkOrJunction(file) || !ReadShortcutTarget(file, &leadsTo) || !SamePath(leadsTo, target)) {
    report->kept.push_back(ShownTextOfPath(file));
    return;
  }
  Record(DeleteFileAt(file), ShownTextOfPath(file), report);
}

void RemoveShortcuts(const MachinePaths& machine, UninstallReport* report) {
  // The group's shortcuts are looked for only in a group that is there and
  // is no link; a missing group stands for them in the report.
  const WidePath group = PathOn(machine, kProgramGroup.path);
  bool groupIsOurs = false;
  if (!group.Empty()) {
    if (!PathExists(group))
      report->notFound.push_back(ShownTextOfPath(group));
    else
      groupIsOurs = IsOurFolder(group, report);
  }
  for (size_t i = kShortcuts.count; i-- > 0;) {
    const ShortcutItem& shortcut = *kShortcuts.entries[i];
    const WidePath link = PathOn(machine, shortcut.link);
    if (link.Empty() || (shortcut.link.place == Place::ProgramGroup && !groupIsOurs)) continue;
    RemoveShortcut(link, PathOn(machine, shortcut.target->path), report);
  }
  if (!groupIsOurs) return;
  const Removal folder = RemoveEmptyFolder(group);
  if (folder != Removal::Failed) Record(folder, ShownTextOfPath(group), report);
}

// ---- Files and their folder

// What an interrupted write of the setup program left beside a file of the
// table: files under the writer's temporary names, which only it makes.
// False when one of them could not go.
bool RemoveLeftovers(const WidePath& path, UninstallReport* report) {
  bool allGone = true;
  for (const WidePath& leftover : LeftoverTemporaryFiles(path)) {
    const Removal removal = DeleteFileAt(leftover);
    Record(removal, ShownTextOfPath(leftover), report);
    allGone = allGone && removal != Removal::Failed;
  }
  return allGone;
}

// What became of a file of the table.
enum class FileFate {
  Gone,        // removed, or not there
  Failed,      // it, or a leftover beside it, is still there
  AtRestart,   // marked for deletion at the next restart
  Afterwards,  // goes once the process that runs from it has ended
};

FileFate RemoveFile(RemovalPlace place, const WidePath& running, const WidePath& path,
                    UninstallReport* report, RemovalAfterwards* afterwards) {
  const bool leftoversGone = RemoveLeftovers(path, report);
  FileFate fate;
  if (!running.Empty() && SamePath(running, path)) {
    if (place == RemovalPlace::InPlace) {
      // This very file cannot go while it runs; its folder follows it at
      // the restart.
      fate = MarkForRestart(path, report) ? FileFate::AtRestart : FileFate::Failed;
    } else {
      // The first phase runs from it until it has shown the outcome.
      afterwards->file = path;
      report->removed.push_back(ShownTextOfPath(path));
      fate = FileFate::Afterwards;
    }
  } else {
    const Removal removal = DeleteFileAt(path);
    Record(removal, ShownTextOfPath(path), report);
    fate = removal == Removal::Failed ? FileFate::Failed : FileFate::Gone;
  }
  return leftoversGone ? fate : FileFate::Failed;
}

// Every file but the uninstaller first; the uninstaller, and the folder that
// holds it, only once nothing else stayed: otherwise they are the way to try
// again.
void RemoveFiles(RemovalPlace place, const WidePath& running, const MachinePaths& machine,
                 UninstallReport* report, RemovalAfterwards* afterwards) {
  const WidePath folder = PathOn(machine, kInstallationFolder.path);
  const bool folderIsOurs = IsOurFolder(folder, report);
  bool waitsForRestart = false;
  bool waitsForTheFirstPhase = false;
  bool failedInFolder = false;
  const auto remove = [&](const FileItem& file) {
    const bool inFolder = file.path.place == Place::InstallationFolder;
    const WidePath path = PathOn(machine, file.path);
    if (path.Empty() || (inFolder && !folderIsOurs)) return;
    const FileFate fate = RemoveFile(place, running, path, report, afterwards);
    if (!inFolder) return;
    failedInFolder = failedInFolder || fate == FileFate::Failed;
    waitsForRestart = waitsForRestart || fate == FileFate::AtRestart;
    waitsForTheFirstPhase = waitsForTheFirstPhase || fate == FileFate::Afterwards;
  };
  for (size_t i = kFiles.count; i-- > 0;)
    if (kFiles.entries[i] != &kUninstaller) remove(*kFiles.entries[i]);
  if (!report->failed.empty()) {
    const WidePath uninstaller = PathOn(machine, kUninstaller.path);
    report->uninstallerKept = !uninstaller.Empty() && PathExists(uninstaller);
    return;
  }
  remove(kUninstaller);
  if (!folderIsOurs) return;
  if (waitsForRestart) {
    // Only a folder that will be empty by then.
    if (!failedInFolder) MarkForRestart(folder, report);
    return;
  }
  if (waitsForTheFirstPhase) {
    if (!failedInFolder) {
      afterwards->folder = folder;
      report->removed.push_back(ShownTextOfPath(folder));
    }
    return;
  }
  // A folder that still holds something (a file that could not go, or
  // someone else's) stays, and is no failure of its own.
  const Removal removal = RemoveEmptyFolder(folder);
  if (removal != Removal::Failed) Record(removal, ShownTextOfPath(folder), report);
}

}  // namespace

void RemoveInstallation(RemovalPlace place, const WidePath& running, UninstallReport* report,
                        RemovalAfterwards* afterwards) {
  *afterwards = RemovalAfterwards();
  const MachinePaths machine = ReadMachinePaths();
  // The registry's values name the table's paths in texts.
  const MachineFolders texts = FolderTextsOf(machine);
  // What the setup program wrote, from its last step to its first, but for
  // the uninstall entry: it names the uninstaller, and goes last, once
  // nothing else stayed.
  RemoveShortcuts(machine, report);
  RemoveKey(kFolderVerb, texts, report);
  RemoveKey(kAllFilesVerb, texts, report);
  RemoveKey(kClassKey, texts, report);
  RemoveKey(kExtensionKey, texts, report);
  RemoveFiles(place, running, machine, report, afterwards);
  if (report->failed.empty()) RemoveKey(kUninstallEntry, texts, report);
  // One notification for the whole change of associations.
  SHChangeNotify(SHCNE_ASSOCCHANGED, SHCNF_IDLIST, nullptr, nullptr);
}

void RemoveAfterwards(const RemovalAfterwards& afterwards) {
  if (!afterwards.file.Empty() && DeleteFileAt(afterwards.file) == Removal::Failed)
    MoveFileExW(afterwards.file.c_str(), nullptr, MOVEFILE_DELAY_UNTIL_REBOOT);
  // A folder that holds someone else's file stays; marked, it stays too,
  // since Windows removes a folder at the restart only once it is empty.
  if (!afterwards.folder.Empty() && RemoveEmptyFolder(afterwards.folder) == Removal::Failed)
    MoveFileExW(afterwards.folder.c_str(), nullptr, MOVEFILE_DELAY_UNTIL_REBOOT);
}
