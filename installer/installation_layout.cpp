#include "installer/installation_layout.h"

#include "services/code_page.h"
#include "services/registry_item.h"
#include "texts/installation.h"

namespace {

const char kDisplayName[] = "Morvane";
// The product's own version as the list of programs shows it; the setup
// program's version resource is another matter.
const char kDisplayVersion[] = "1.3";
const char kPublisher[] = "Quenrith";

}  // namespace

const char kHomePage[] = MORVANE_HOME_PAGE;

// ---- Folders and files

const InstalledFolder kInstallationFolder = {{Place::Fixed, "C:\\Program Files\\zorva"}};
const InstalledFolder kProgramGroup = {{Place::ProgramsFolder, "tervilo"}};

const FileItem kMainProgram = {{Place::InstallationFolder, "Morvane.exe"},
                               PayloadBlock::MainProgram};
const FileItem kUninstaller = {{Place::InstallationFolder, kUninstallerName},
                               PayloadBlock::Uninstaller};
const FileItem kProductIcon = {{Place::SystemFolder, "zorva.ico"}, PayloadBlock::ProductIcon};

namespace {
const FileItem* const kFileItems[] = {&kMainProgram, &kUninstaller, &kProductIcon};
}
const TableList<const FileItem*> kFiles = {kFileItems, sizeof kFileItems / sizeof kFileItems[0]};

// ---- Registry

const char kClassBase[] = "zorva";
const char kVerbName[] = "Morvane";

const RegistryKeyItem kExtensionKey = {kClassesRoot, KeyForm::FileExtension, "", 0};
const RegistryKeyItem kClassKey = {kClassesRoot, KeyForm::FileClass, "", 0};
const RegistryKeyItem kAllFilesVerb = {kClassesRoot, KeyForm::Verb, "*\\shell", 1};
const RegistryKeyItem kFolderVerb = {kClassesRoot, KeyForm::Verb, "Directory\\shell", 2};
const RegistryKeyItem kUninstallEntry = {
    kLocalMachine, KeyForm::Fixed,
    "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Morvane", 0};

namespace {

const RegistryKeyItem* const kKeyItems[] = {&kExtensionKey, &kClassKey, &kAllFilesVerb,
                                            &kFolderVerb, &kUninstallEntry};

constexpr RegistryType kString = RegistryType::String;
constexpr WriteCondition kAlways = WriteCondition::Always;
constexpr WriteCondition kUnlessPresent = WriteCondition::UnlessPresent;
const PlacedName* const kProgram = &kMainProgram.path;

// key, subkey, value name, type, data, text, subject, condition, marks ownership
const RegistryValueItem kValueItems[] = {
    {&kExtensionKey, "", "", kString, ValueData::ClassKeyName, nullptr, nullptr, kAlways, true},
    {&kClassKey, "", "", kString, ValueData::Text, kClassDisplayName, nullptr, kAlways, false},
    {&kClassKey, "DefaultIcon", "", kString, ValueData::IconOf, nullptr, &kProductIcon.path,
     kAlways, false},
    {&kClassKey, "shell\\open\\command", "", kString, ValueData::OpenCommand, nullptr, kProgram,
     kAlways, false},
    {&kClassKey, "", "NeverShowExt", kString, ValueData::Text, "", nullptr, kAlways, false},
    {&kAllFilesVerb, "command", "", kString, ValueData::OpenCommand, nullptr, kProgram,
     kUnlessPresent, true},
    {&kFolderVerb, "command", "", kString, ValueData::OpenCommand, nullptr, kProgram,
     kUnlessPresent, true},
    {&kUninstallEntry, "", "DisplayIcon", kString, ValueData::Path, nullptr, kProgram, kAlways,
     false},
    {&kUninstallEntry, "", "DisplayName", kString, ValueData::Text, kDisplayName, nullptr, kAlways,
     false},
    {&kUninstallEntry, "", "DisplayVersion", kString, ValueData::Text, kDisplayVersion, nullptr,
     kAlways, false},
    // Windows runs this as a command line: quoted for the blank in the path.
    {&kUninstallEntry, "", "UninstallString", kString, ValueData::QuotedPath, nullptr,
     &kUninstaller.path, kAlways, true},
    {&kUninstallEntry, "", "Publisher", kString, ValueData::Text, kPublisher, nullptr, kAlways,
     false},
    {&kUninstallEntry, "", "URLInfoAbout", kString, ValueData::Text, kHomePage, nullptr, kAlways,
     false},
};

}  // namespace

const TableList<const RegistryKeyItem*> kRegistryKeys = {kKeyItems,
                                                         sizeof kKeyItems / sizeof kKeyItems[0]};
const TableList<RegistryValueItem> kRegistryValues = {kValueItems,
                                                      sizeof kValueItems / sizeof kValueItems[0]};

// ---- Shortcuts

const ShortcutItem kDesktopShortcut = {{Place::DesktopFolder, "Morvane"}, &kMainProgram};
const ShortcutItem kGroupShortcut = {{Place::ProgramGroup, "Morvane"}, &kMainProgram};
const ShortcutItem kGroupUninstallShortcut = {{Place::ProgramGroup, kUninstallShortcutName},
                                              &kUninstaller};

namespace {
const ShortcutItem* const kShortcutItems[] = {&kDesktopShortcut, &kGroupShortcut,
                                              &kGroupUninstallShortcut};
}
const TableList<const ShortcutItem*> kShortcuts = {
    kShortcutItems, sizeof kShortcutItems / sizeof kShortcutItems[0]};

// ---- Resolution

MachineFolder FolderBelow(const PlacedName& name, Text* below) {
  // The places below another place of the table: that place's path, a
  // backslash and the name.
  const PlacedName* parent = nullptr;
  MachineFolder folder = MachineFolder::None;
  switch (name.place) {
    case Place::Fixed:
      break;
    case Place::InstallationFolder:
      parent = &kInstallationFolder.path;
      break;
    case Place::SystemFolder:
      folder = MachineFolder::System;
      break;
    case Place::ProgramsFolder:
      folder = MachineFolder::Programs;
      break;
    case Place::DesktopFolder:
      folder = MachineFolder::Desktop;
      break;
    case Place::ProgramGroup:
      parent = &kProgramGroup.path;
      break;
  }
  if (!parent) {
    *below = name.name;
    return folder;
  }
  folder = FolderBelow(*parent, below);
  *below += "\\";
  *below += name.name;
  return folder;
}

Text PathOf(const PlacedName& name, const MachineFolders& machine) {
  Text below;
  const Text* folder = machine.Of(FolderBelow(name, &below));
  if (!folder) return below;
  return folder->empty() ? Text() : *folder + below;
}

Text KeyPathOf(const RegistryKeyItem& key, const Text& classBase, const Text& verbName) {
  switch (key.form) {
    case KeyForm::Fixed:
      break;
    case KeyForm::FileExtension:
      return "." + classBase;
    case KeyForm::FileClass:
      return classBase + "file";
    case KeyForm::Verb:
      return key.path + ("\\" + verbName);
  }
  return key.path;
}

std::vector<Text> EmptiedParentsOf(const RegistryKeyItem& key, const Text& keyPath) {
  std::vector<Text> parents;
  Text parent = keyPath;
  for (int level = 0; level < key.emptyParents; ++level) {
    const size_t cut = LastBackslash(parent.data(), parent.size());
    if (cut == parent.size()) break;
    parent.resize(cut);
    parents.push_back(parent);
  }
  return parents;
}

namespace {

Text ValueKeyOf(const RegistryValueItem& value, const Text& keyPath) {
  return *value.subkey ? keyPath + "\\" + value.subkey : keyPath;
}

}  // namespace

Text ItemPathOf(const RegistryValueItem& value, const Text& keyPath) {
  return ValueKeyOf(value, keyPath) + "\\" + value.name;
}

Text DataOf(const RegistryValueItem& value, const Text& subjectPath, const Text& classBase) {
  switch (value.data) {
    case ValueData::Text:
      break;
    case ValueData::ClassKeyName:
      return KeyPathOf(kClassKey, classBase, Text());
    case ValueData::Path:
      return subjectPath;
    case ValueData::QuotedPath:
      return Quoted(subjectPath);
    case ValueData::OpenCommand:
      return OpenCommandOf(subjectPath);
    case ValueData::IconOf:
      return subjectPath + ",0";
  }
  return value.text;
}

Value ValueOf(const RegistryValueItem& value, const Text& data) {
  switch (value.type) {
    case RegistryType::String:
      return Value::OfText(data);
  }
  return Value();
}

const RegistryValueItem* OwnershipMarkOf(const RegistryKeyItem& key) {
  for (const RegistryValueItem& value : kRegistryValues)
    if (value.key == &key && value.marksOwnership) return &value;
  return nullptr;
}

ResolvedValue Resolve(const RegistryValueItem& value, const MachineFolders& machine) {
  ResolvedValue resolved;
  resolved.item = &value;
  resolved.keyPath = KeyPathOf(*value.key, kClassBase, kVerbName);
  resolved.valueKey = ValueKeyOf(value, resolved.keyPath);
  resolved.itemPath = ItemPathOf(value, resolved.keyPath);
  const Text subject = value.subject ? PathOf(*value.subject, machine) : Text();
  resolved.data = DataOf(value, subject, kClassBase);
  return resolved;
}

Text Quoted(const Text& path) { return "\"" + path + "\""; }

Text OpenCommandOf(const Text& program) { return Quoted(program) + " \"%1\""; }
