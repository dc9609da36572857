// What an installation puts on the machine, as one table: the folders, the
// files with the blocks they are written from, every registry value with its
// key and the condition under which it is written, the shortcuts. The setup
// program applies it forward in its steps, the uninstaller removes it
// backward under its ownership rules, and the tests and the peer bench's
// reference read it. Texts are code page 936. Pure code: builds for Windows
// and the host; what only the machine knows (its system folder, the user's
// special folders) is described here and resolved at run time.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "services/values.h"

// A list of the table, in the order the setup program writes its items.
template <typename Entry>
struct TableList {
  const Entry* entries;
  size_t count;
  const Entry* begin() const { return entries; }
  const Entry* end() const { return entries + count; }
};

// ---- Places and paths

// Where a path of the table starts.
enum class Place : uint8_t {
  Fixed,               // the name is the whole path
  InstallationFolder,  // kInstallationFolder
  SystemFolder,        // where this program's writes to the system directory land
  ProgramsFolder,      // the user's Start-menu programs folder
  DesktopFolder,       // the user's desktop folder
  ProgramGroup,        // kProgramGroup
};

struct PlacedName {
  Place place;
  const char* name;  // below the place; may hold backslashes
};

// The folders that only the machine knows.
enum class MachineFolder : uint8_t {
  None,      // the path is fixed
  System,    // Place::SystemFolder
  Programs,  // Place::ProgramsFolder
  Desktop,   // Place::DesktopFolder
};

// The machine's folder that the path of `name` starts in, and in `below` the
// rest of the path, which the table gives: all of it for a fixed path. On
// the machine the folder is as Windows names it (installer/machine_folders.h),
// and only these texts of the program's own are joined to it.
MachineFolder FolderBelow(const PlacedName& name, Text* below);

// The machine's folders, in some form of path (a text here, the UTF-16 of
// Windows on the machine), each ending in a backslash, or empty where the
// machine names none.
template <typename Path>
struct FoldersOf {
  Path system;    // the folder this program's writes to the system directory reach
  Path programs;  // the user's Start-menu programs folder
  Path desktop;   // the user's desktop folder

  // The folder of that kind; null for a fixed path.
  const Path* Of(MachineFolder folder) const {
    switch (folder) {
      case MachineFolder::None:
        break;
      case MachineFolder::System:
        return &system;
      case MachineFolder::Programs:
        return &programs;
      case MachineFolder::Desktop:
        return &desktop;
    }
    return nullptr;
  }
};

// The folders as texts of code page 936: the tests', the peer bench's, and
// those of the registry values that name a path.
using MachineFolders = FoldersOf<Text>;

// The path of `name` among those folders; empty when its place is unknown
// there, so that nothing is ever written relative to the current folder.
Text PathOf(const PlacedName& name, const MachineFolders& machine);

// ---- Folders and files

struct InstalledFolder {
  PlacedName path;
};

// "C:\Program Files\zorva": fixed, never asked of the user.
extern const InstalledFolder kInstallationFolder;
// "tervilo" in the user's Start-menu programs folder.
extern const InstalledFolder kProgramGroup;

// The embedded blocks of the setup program, one for each file it writes.
enum class PayloadBlock : uint8_t { MainProgram, Uninstaller, ProductIcon };

struct FileItem {
  PlacedName path;
  PayloadBlock block;  // written to the file byte for byte
};

extern const FileItem kMainProgram;  // the installation folder's "Morvane.exe"
extern const FileItem kUninstaller;  // the installation folder's "卸载Morvane.exe"
// "zorva.ico" in the system folder where the setup program's writes land, so
// that the path that the file class names for the shell is where the file is.
extern const FileItem kProductIcon;

extern const TableList<const FileItem*> kFiles;

// ---- Registry

// How a key's path is made.
enum class KeyForm : uint8_t {
  Fixed,          // `path` is the key
  FileExtension,  // "." and the class base: the extension key ".zorva"
  FileClass,      // the class base and "file": the class key "zorvafile"
  Verb,           // `path` (the verbs' parent), a backslash and the verb name
};

struct RegistryKeyItem {
  int32_t root;  // kClassesRoot or kLocalMachine (services/registry_item.h)
  KeyForm form;
  const char* path;
  // A verb's: how many keys on the way to it go too, while nothing else is
  // in them, when it is removed. Writing it creates them where they are
  // missing; the top one stays when it is every Windows' own ("*").
  int emptyParents;
};

// The file class (from the class base kClassBase).
extern const char kClassBase[];  // "zorva"
extern const RegistryKeyItem kExtensionKey;
extern const RegistryKeyItem kClassKey;
// The two context-menu verbs, named kVerbName, for every file and for folders.
extern const char kVerbName[];  // "Morvane"
extern const RegistryKeyItem kAllFilesVerb;
extern const RegistryKeyItem kFolderVerb;
// The entry of the system's list of installed programs.
extern const RegistryKeyItem kUninstallEntry;

// Every key the setup program writes into, in the order of its first write.
extern const TableList<const RegistryKeyItem*> kRegistryKeys;

enum class RegistryType : uint8_t { String };  // REG_SZ

// What a value holds; all but Text are made from the path of its subject.
enum class ValueData : uint8_t {
  Text,          // `text` as it stands
  ClassKeyName,  // the name of the class key, as the extension names its class
  Path,          // the subject's path
  QuotedPath,    // the subject's path in double quotes: a command line
  OpenCommand,   // the quoted subject, a blank and the quoted "%1"
  IconOf,        // the subject's path and ",0": the first icon in that file
};

enum class WriteCondition : uint8_t {
  Always,
  UnlessPresent,  // a value left by an earlier installation is kept, whatever it holds
};

struct RegistryValueItem {
  const RegistryKeyItem* key;
  const char* subkey;  // below the key; empty for the key itself
  const char* name;    // empty for the default value
  RegistryType type;
  ValueData data;
  const char* text;           // for ValueData::Text
  const PlacedName* subject;  // for the other forms
  WriteCondition condition;
  // While this value still holds what the setup program writes, its key is
  // ours to remove; a key without such a value is always ours.
  bool marksOwnership;
};

// Every value, in the order the setup program writes them.
extern const TableList<RegistryValueItem> kRegistryValues;

// The product's home page, written as URLInfoAbout (a build setting).
extern const char kHomePage[];

// The path of a key of the table, from the class base and the verb name that
// its form takes.
Text KeyPathOf(const RegistryKeyItem& key, const Text& classBase, const Text& verbName);

// The keys on the way to a key at `keyPath` that go with it while nothing
// else is in them (its emptyParents), nearest first.
std::vector<Text> EmptiedParentsOf(const RegistryKeyItem& key, const Text& keyPath);

// The item path of a value (services/registry_item.h) in the key at
// `keyPath`: its subkey, then its name, a trailing backslash for the default
// value.
Text ItemPathOf(const RegistryValueItem& value, const Text& keyPath);

// The text a value holds, from the path of its subject and the class base.
Text DataOf(const RegistryValueItem& value, const Text& subjectPath, const Text& classBase);

// The value to store for a value of the table holding `data`.
Value ValueOf(const RegistryValueItem& value, const Text& data);

// The value of `key` that says whether the key is still ours; null when none.
const RegistryValueItem* OwnershipMarkOf(const RegistryKeyItem& key);

// A value as the table and the machine make it.
struct ResolvedValue {
  const RegistryValueItem* item;
  Text keyPath;   // of the table's key
  Text valueKey;  // of the key that holds the value: keyPath and the subkey
  Text itemPath;
  Text data;
};
ResolvedValue Resolve(const RegistryValueItem& value, const MachineFolders& machine);

// ---- Shortcuts

struct ShortcutItem {
  PlacedName link;  // without ".lnk", which saving the link adds
  const FileItem* target;
};

extern const ShortcutItem kDesktopShortcut;         // "Morvane" on the desktop
extern const ShortcutItem kGroupShortcut;           // "Morvane" in the program group
extern const ShortcutItem kGroupUninstallShortcut;  // "卸载Morvane" in the program group

extern const TableList<const ShortcutItem*> kShortcuts;

// ---- Commands

// "path" in double quotes.
Text Quoted(const Text& path);

// The command of the file class and of each verb: the quoted program, a
// blank and the quoted argument, so that neither a blank in the program's
// path nor one in a file name splits the command line.
Text OpenCommandOf(const Text& program);
