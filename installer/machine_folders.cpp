#include "installer/machine_folders.h"

#include "services/shell.h"

namespace {

// The path is both where the icon is written and what the file class names
// for the shell, so it names the folder the file really goes to: on 64-bit
// Windows the 64-bit shell reads "System32" as its own folder, where the
// setup program's write never arrives.
WidePath MachineFolderPath(MachineFolder folder) {
  switch (folder) {
    case MachineFolder::None:
      break;
    case MachineFolder::System:
      return GetWrittenSystemFolder();
    case MachineFolder::Programs:
      return GetSpecialFolder(kFolderPrograms);
    case MachineFolder::Desktop:
      return GetSpecialFolder(kFolderDesktop);
  }
  return WidePath();
}

// The folder as Windows names it, and the program's own names below it.
WidePath Joined(MachineFolder folder, const WidePath& folderPath, const Text& below) {
  if (folder == MachineFolder::None) return below;
  return folderPath.Empty() ? WidePath() : folderPath + below;
}

Text ExactTextOf(const WidePath& path) {
  Text text;
  return TextOfPath(path, &text) ? text : Text();
}

}  // namespace

MachinePaths ReadMachinePaths() {
  MachinePaths machine;
  machine.system = MachineFolderPath(MachineFolder::System);
  machine.programs = MachineFolderPath(MachineFolder::Programs);
  machine.desktop = MachineFolderPath(MachineFolder::Desktop);
  return machine;
}

WidePath PathOn(const MachinePaths& machine, const PlacedName& name) {
  Text below;
  const MachineFolder folder = FolderBelow(name, &below);
  const WidePath* folderPath = machine.Of(folder);
  return Joined(folder, folderPath ? *folderPath : WidePath(), below);
}

WidePath PathOnMachine(const PlacedName& name) {
  Text below;
  const MachineFolder folder = FolderBelow(name, &below);
  return Joined(folder, MachineFolderPath(folder), below);
}

MachineFolders FolderTextsOf(const MachinePaths& machine) {
  MachineFolders texts;
  texts.system = ExactTextOf(machine.system);
  texts.programs = ExactTextOf(machine.programs);
  texts.desktop = ExactTextOf(machine.desktop);
  return texts;
}

Text PathTextOnMachine(const PlacedName& name) { return ExactTextOf(PathOnMachine(name)); }
