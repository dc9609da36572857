// The installation table: what it says the setup program writes, how its
// paths follow the machine's folders, and the links between its items that
// the setup program and the uninstaller rely on.
#include "installer/installation_layout.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "services/registry_item.h"
#include "tests/host/gbk.h"
#include "texts/installation.h"

namespace {

MachineFolders SomeMachine() {
  MachineFolders machine;
  machine.system = "C:\\windows\\syswow64\\";
  machine.programs = "C:\\users\\q\\Start Menu\\Programs\\";
  machine.desktop = "C:\\users\\q\\Desktop\\";
  return machine;
}

struct ExpectedValue {
  int32_t root;
  const char* key;
  const char* name;
  std::string data;
  WriteCondition condition;
};

TEST(InstallationTable, ValuesAreTheRegistrationInItsOrder) {
  const std::string program = "C:\\Program Files\\zorva\\Morvane.exe";
  const std::string open = "\"" + program + "\" \"%1\"";
  const char* entry = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Morvane";
  const WriteCondition always = WriteCondition::Always;
  const std::vector<ExpectedValue> expected = {
      {kClassesRoot, ".zorva", "", "zorvafile", always},
      {kClassesRoot, "zorvafile", "", kClassDisplayName, always},
      {kClassesRoot, "zorvafile\\DefaultIcon", "", "C:\\windows\\syswow64\\zorva.ico,0", always},
      {kClassesRoot, "zorvafile\\shell\\open\\command", "", open, always},
      {kClassesRoot, "zorvafile", "NeverShowExt", "", always},
      {kClassesRoot, "*\\shell\\Morvane\\command", "", open, WriteCondition::UnlessPresent},
      {kClassesRoot, "Directory\\shell\\Morvane\\command", "", open, WriteCondition::UnlessPresent},
      {kLocalMachine, entry, "DisplayIcon", program, always},
      {kLocalMachine, entry, "DisplayName", "Morvane", always},
      {kLocalMachine, entry, "DisplayVersion", "1.3", always},
      {kLocalMachine, entry, "UninstallString",
       std::string("\"C:\\Program Files\\zorva\\") + kUninstallerName + "\"", always},
      {kLocalMachine, entry, "Publisher", "Quenrith", always},
      {kLocalMachine, entry, "URLInfoAbout", kHomePage, always},
  };
  // Each expected value, in this order among the table's; the uninstall
  // entry may gain values of its own.
  std::vector<ResolvedValue> values;
  for (const RegistryValueItem& item : kRegistryValues)
    values.push_back(Resolve(item, SomeMachine()));
  size_t next = 0;
  for (const ExpectedValue& want : expected) {
    size_t at = next;
    while (at < values.size() &&
           !(values[at].item->key->root == want.root && values[at].valueKey == want.key &&
             std::string(values[at].item->name) == want.name))
      ++at;
    ASSERT_LT(at, values.size()) << want.key << " [" << want.name << "] missing or out of order";
    EXPECT_EQ(values[at].data, want.data) << want.key << " [" << want.name << "]";
    EXPECT_EQ(values[at].item->condition, want.condition) << want.key << " [" << want.name << "]";
    EXPECT_EQ(values[at].itemPath, values[at].valueKey + "\\" + want.name);
    next = at + 1;
  }
  EXPECT_EQ(std::string(kHomePage).rfind("https://", 0), 0u) << kHomePage;

  // The file class is five values, each verb its command alone: what
  // RegisterFileClass and the verb routines write.
  size_t classValues = 0, allFilesValues = 0, folderValues = 0;
  for (const RegistryValueItem& item : kRegistryValues) {
    classValues += item.key == &kExtensionKey || item.key == &kClassKey;
    allFilesValues += item.key == &kAllFilesVerb;
    folderValues += item.key == &kFolderVerb;
  }
  EXPECT_EQ(classValues, 5u);
  EXPECT_EQ(allFilesValues, 1u);
  EXPECT_EQ(folderValues, 1u);
}

TEST(InstallationTable, PathsFollowTheMachineAndAnUnknownFolderGivesNone) {
  const MachineFolders machine = SomeMachine();
  const std::string group = "C:\\users\\q\\Start Menu\\Programs\\tervilo";
  const struct {
    const PlacedName* name;
    std::string path;
  } paths[] = {
      {&kInstallationFolder.path, "C:\\Program Files\\zorva"},
      {&kMainProgram.path, "C:\\Program Files\\zorva\\Morvane.exe"},
      {&kUninstaller.path, std::string("C:\\Program Files\\zorva\\") + kUninstallerName},
      {&kProductIcon.path, "C:\\windows\\syswow64\\zorva.ico"},
      {&kProgramGroup.path, group},
      {&kDesktopShortcut.link, "C:\\users\\q\\Desktop\\Morvane"},
      {&kGroupShortcut.link, group + "\\Morvane"},
      {&kGroupUninstallShortcut.link, group + "\\" + kUninstallShortcutName},
  };
  for (const auto& row : paths) EXPECT_EQ(PathOf(*row.name, machine), row.path) << row.path;

  // On the machine a path is the folder as Windows names it and the table's
  // own text below it: the folder, and only the folder, is the machine's.
  const struct {
    const PlacedName* name;
    MachineFolder folder;
    std::string below;
  } splits[] = {
      {&kInstallationFolder.path, MachineFolder::None, "C:\\Program Files\\zorva"},
      {&kUninstaller.path, MachineFolder::None,
       std::string("C:\\Program Files\\zorva\\") + kUninstallerName},
      {&kProductIcon.path, MachineFolder::System, "zorva.ico"},
      {&kProgramGroup.path, MachineFolder::Programs, "tervilo"},
      {&kDesktopShortcut.link, MachineFolder::Desktop, "Morvane"},
      {&kGroupUninstallShortcut.link, MachineFolder::Programs,
       std::string("tervilo\\") + kUninstallShortcutName},
  };
  for (const auto& row : splits) {
    std::string below = "left over";
    EXPECT_EQ(FolderBelow(*row.name, &below), row.folder) << row.below;
    EXPECT_EQ(below, row.below);
    const std::string* folder = machine.Of(row.folder);
    EXPECT_EQ(PathOf(*row.name, machine), folder ? *folder + below : below);
  }

  // Without the folder a path would be relative to the current folder:
  // there is none then, and the fixed paths stay.
  const MachineFolders none;
  for (const auto& row : paths) {
    const bool fixed =
        row.name->place == Place::Fixed || row.name->place == Place::InstallationFolder;
    EXPECT_EQ(PathOf(*row.name, none), fixed ? row.path : "") << row.path;
  }
  MachineFolders noDesktop = machine;
  noDesktop.desktop.clear();
  EXPECT_EQ(PathOf(kDesktopShortcut.link, noDesktop), "");
  EXPECT_EQ(PathOf(kGroupShortcut.link, noDesktop), group + "\\Morvane");

  // The shortcuts lead to files of the table: the main program twice, then
  // the uninstaller, in the order they are made.
  std::vector<const FileItem*> targets;
  for (const ShortcutItem* shortcut : kShortcuts) targets.push_back(shortcut->target);
  EXPECT_EQ(targets, (std::vector<const FileItem*>{&kMainProgram, &kMainProgram, &kUninstaller}));
  // One file for each embedded block.
  std::set<PayloadBlock> blocks;
  for (const FileItem* file : kFiles) blocks.insert(file->block);
  EXPECT_EQ(blocks.size(), kFiles.count);
  EXPECT_EQ(kFiles.count, 3u);
}

TEST(InstallationTable, KeysAreMadeFromTheClassBaseAndTheVerbName) {
  const struct {
    const RegistryKeyItem* key;
    const char* path;
    std::vector<Text> emptied;
  } keys[] = {
      {&kExtensionKey, ".doc", {}},
      {&kClassKey, "docfile", {}},
      // "*" itself, which every Windows has, stays.
      {&kAllFilesVerb, "*\\shell\\Open it", {"*\\shell"}},
      {&kFolderVerb, "Directory\\shell\\Open it", {"Directory\\shell", "Directory"}},
      {&kUninstallEntry, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Morvane", {}},
  };
  for (const auto& row : keys) {
    EXPECT_EQ(KeyPathOf(*row.key, "doc", "Open it"), row.path);
    EXPECT_EQ(EmptiedParentsOf(*row.key, row.path), row.emptied) << row.path;
  }
  // A verb name whose two-byte character holds 0x5C (乗, 81 5C) is one key,
  // not two.
  EXPECT_EQ(EmptiedParentsOf(kFolderVerb, Gbk("Directory\\shell\\乗x")),
            (std::vector<Text>{"Directory\\shell", "Directory"}));
  EXPECT_EQ(KeyPathOf(kExtensionKey, kClassBase, kVerbName), ".zorva");
  EXPECT_EQ(KeyPathOf(kClassKey, kClassBase, kVerbName), "zorvafile");

  // The extension names the class key of the class base it is given.
  const RegistryValueItem& extension = *OwnershipMarkOf(kExtensionKey);
  EXPECT_EQ(DataOf(extension, "", "doc"), "docfile");
  EXPECT_EQ(ItemPathOf(extension, ".doc"), ".doc\\");
}

TEST(InstallationTable, EachKeyIsOursWhileItsMarkHoldsWhatWasWritten) {
  const struct {
    const RegistryKeyItem* key;
    const char* mark;  // the value's item path; null: always ours
  } marks[] = {
      {&kExtensionKey, ".zorva\\"},
      {&kClassKey, nullptr},
      {&kAllFilesVerb, "*\\shell\\Morvane\\command\\"},
      {&kFolderVerb, "Directory\\shell\\Morvane\\command\\"},
      {&kUninstallEntry,
       "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Morvane\\UninstallString"},
  };
  ASSERT_EQ(kRegistryKeys.count, sizeof marks / sizeof marks[0]);
  for (size_t i = 0; i < kRegistryKeys.count; ++i) {
    EXPECT_EQ(kRegistryKeys.entries[i], marks[i].key);
    const RegistryValueItem* mark = OwnershipMarkOf(*marks[i].key);
    if (!marks[i].mark) {
      EXPECT_EQ(mark, nullptr);
      continue;
    }
    ASSERT_NE(mark, nullptr) << marks[i].mark;
    EXPECT_EQ(Resolve(*mark, SomeMachine()).itemPath, marks[i].mark);
  }
  // Every value lies in a key of the table, and no key has two marks.
  for (const RegistryValueItem& value : kRegistryValues) {
    bool listed = false;
    for (const RegistryKeyItem* key : kRegistryKeys) listed = listed || value.key == key;
    EXPECT_TRUE(listed) << value.name;
    if (value.marksOwnership) EXPECT_EQ(OwnershipMarkOf(*value.key), &value) << value.name;
  }
}

}  // namespace
