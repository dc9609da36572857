#include "installer/machine_folders.h"

#include "services/shell.h"

namespace {

// The path is both where the icon is written and what the file class names
// for the shell, so it names the folder the file really goes to: on 64-bit
// Windows the 64-bit shell reads "System32" as its own folder, where the
// setup program's write never arrives.
Text SystemFolder() { return GetWrittenSystemFolder(); }

}  // namespace

MachineFolders ReadMachineFolders() {
  MachineFolders machine;
  machine.system = SystemFolder();
  machine.programs = GetSpecialFolder(kFolderPrograms);
  machine.desktop = GetSpecialFolder(kFolderDesktop);
  return machine;
}

Text PathOnMachine(const PlacedName& name) {
  // Only the folder that the place needs is asked for.
  MachineFolders machine;
  switch (name.place) {
    case Place::Fixed:
    case Place::InstallationFolder:
      break;
    case Place::SystemFolder:
      machine.system = SystemFolder();
      break;
    case Place::ProgramsFolder:
    case Place::ProgramGroup:
      machine.programs = GetSpecialFolder(kFolderPrograms);
      break;
    case Place::DesktopFolder:
      machine.desktop = GetSpecialFolder(kFolderDesktop);
      break;
  }
  return PathOf(name, machine);
}
