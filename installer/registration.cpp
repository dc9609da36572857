#include "installer/registration.h"

#include <windows.h>
#include <shlobj.h>

#include <initializer_list>

#include "frame/external_functions.h"
#include "installer/external_call_sites.h"
#include "installer/installation_layout.h"
#include "installer/machine_folders.h"
#include "services/files.h"
#include "services/registry.h"
#include "services/shell.h"
#include "services/text_search.h"

namespace {

// What a routine's caller gives in place of the table's own texts.
struct Arguments {
  Text classBase = kClassBase;
  Text verbName = kVerbName;
  const Text* program = nullptr;  // stands for the main program
  const Text* icon = nullptr;     // stands for the icon file
};

// The path a value is made from: the caller's where it stands for the
// value's subject, else the subject's path on this machine.
Text SubjectPath(const RegistryValueItem& value, const Arguments& given) {
  if (!value.subject) return Text();
  if (value.subject == &kMainProgram.path && given.program) return *given.program;
  if (value.subject == &kProductIcon.path && given.icon) return *given.icon;
  return PathOnMachine(*value.subject);
}

bool WriteValue(const RegistryValueItem& value, const Arguments& given) {
  const Text keyPath = KeyPathOf(*value.key, given.classBase, given.verbName);
  const Text data = DataOf(value, SubjectPath(value, given), given.classBase);
  return WriteRegItem(value.key->root, ItemPathOf(value, keyPath), ValueOf(value, data));
}

// The values in `keys`, in the table's order. With StopAtFailure, the first
// write that fails ends the step.
enum class OnFailure { StopAtFailure, GoOn };
bool WriteValuesOf(std::initializer_list<const RegistryKeyItem*> keys, const Arguments& given,
                   OnFailure onFailure) {
  bool written = true;
  for (const RegistryValueItem& value : kRegistryValues) {
    bool inKeys = false;
    for (const RegistryKeyItem* key : keys) inKeys = inKeys || value.key == key;
    if (!inKeys || WriteValue(value, given)) continue;
    if (onFailure == OnFailure::StopAtFailure) return false;
    written = false;
  }
  return written;
}

bool AddVerb(const RegistryKeyItem& verb, const Text& verbName, const Text& command) {
  if (FindText(verbName, "\\") != -1) return false;
  Arguments given;
  given.verbName = verbName;
  given.program = &command;
  return WriteValuesOf({&verb}, given, OnFailure::StopAtFailure);
}

// Whether a value of the verb that is written only where it is missing is
// there: a command left by an earlier installation is kept, whatever it
// names.
bool LeftByAnEarlierInstallation(const RegistryKeyItem& verb) {
  const Text keyPath = KeyPathOf(verb, kClassBase, kVerbName);
  for (const RegistryValueItem& value : kRegistryValues)
    if (value.key == &verb && value.condition == WriteCondition::UnlessPresent &&
        RegItemExists(verb.root, ItemPathOf(value, keyPath)))
      return true;
  return false;
}

void AddVerbUnlessPresent(const RegistryKeyItem& verb,
                          bool (*add)(const Text& verbName, const Text& command)) {
  if (!LeftByAnEarlierInstallation(verb)) add(kVerbName, PathOnMachine(kMainProgram.path));
}

// Without the special folder the names would be relative to the current
// directory, the setup program's own folder: no folder, no shortcut
// (PathOnMachine gives no path then).
void CreateProgramGroup() {
  const Text group = PathOnMachine(kProgramGroup.path);
  if (!group.empty()) CreateFolder(group);
}

void CreateShortcuts() {
  for (const ShortcutItem* shortcut : kShortcuts) {
    const Text link = PathOnMachine(shortcut->link);
    if (!link.empty()) CreateShortcut(link, PathOnMachine(shortcut->target->path));
  }
}

}  // namespace

bool RegisterFileClass(const Text& exePath, const Text& classBase, const Text& iconPath) {
  Arguments given;
  given.classBase = classBase;
  given.program = &exePath;
  given.icon = &iconPath;
  if (!WriteValuesOf({&kExtensionKey, &kClassKey}, given, OnFailure::StopAtFailure)) return false;

  FARPROC notify = ResolveExternalFunction(ExternalFunction::SHChangeNotify);
  if (notify)
    CallExternal(notify, {kRegisterFileClassProcedure, 1}, LONG(SHCNE_ASSOCCHANGED),
                 UINT(SHCNF_IDLIST), nullptr, nullptr);
  return true;
}

bool AddAllFilesVerb(const Text& verbName, const Text& command) {
  return AddVerb(kAllFilesVerb, verbName, command);
}

bool AddFolderVerb(const Text& verbName, const Text& command) {
  return AddVerb(kFolderVerb, verbName, command);
}

bool RegisterInstallation() {
  if (!RegisterFileClass(PathOnMachine(kMainProgram.path), kClassBase,
                         PathOnMachine(kProductIcon.path)))
    return false;
  AddVerbUnlessPresent(kAllFilesVerb, AddAllFilesVerb);
  AddVerbUnlessPresent(kFolderVerb, AddFolderVerb);
  CreateProgramGroup();
  CreateShortcuts();
  // Each value on its own: one that fails keeps none of the others out.
  WriteValuesOf({&kUninstallEntry}, Arguments(), OnFailure::GoOn);
  return true;
}
