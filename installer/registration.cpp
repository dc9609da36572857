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
// value's subject, else the exact text of the subject's path on this
// machine. False where that path has no such text (or no place here): a
// value made from an approximation would name another file, so it is not
// written at all, and its step fails.
bool SubjectPath(const RegistryValueItem& value, const Arguments& given, Text* path) {
  if (!value.subject) return true;
  if (value.subject == &kMainProgram.path && given.program) {
    *path = *given.program;
    return true;
  }
  if (value.subject == &kProductIcon.path && given.icon) {
    *path = *given.icon;
    return true;
  }
  *path = PathTextOnMachine(*value.subject);
  return !path->empty();
}

bool WriteValue(const RegistryValueItem& value, const Arguments& given) {
  const Text keyPath = KeyPathOf(*value.key, given.classBase, given.verbName);
  Text subject;
  if (!SubjectPath(value, given, &subject)) return false;
  const Text data = DataOf(value, subject, given.classBase);
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
  if (!LeftByAnEarlierInstallation(verb)) add(kVerbName, PathTextOnMachine(kMainProgram.path));
}

// Without the special folder the names would be relative to the current
// directory, the setup program's own folder: no folder, no shortcut
// (PathOnMachine gives no path then).
void CreateProgramGroup() {
  const WidePath group = PathOnMachine(kProgramGroup.path);
  if (!group.Empty()) CreateFolder(group);
}

void CreateShortcuts() {
  for (const ShortcutItem* shortcut : kShortcuts) {
    const WidePath link = PathOnMachine(shortcut->link);
    if (!link.Empty()) CreateShortcut(link, PathOnMachine(shortcut->target->path));
  }
}

// The file class's values, then the one notification of the installation.
bool WriteFileClass(const Arguments& given) {
  if (!WriteValuesOf({&kExtensionKey, &kClassKey}, given, OnFailure::StopAtFailure)) return false;

  FARPROC notify = ResolveExternalFunction(ExternalFunction::SHChangeNotify);
  if (notify)
    CallExternal(notify, {kRegisterFileClassProcedure, 1}, LONG(SHCNE_ASSOCCHANGED),
                 UINT(SHCNF_IDLIST), nullptr, nullptr);
  return true;
}

}  // namespace

bool RegisterFileClass(const Text& exePath, const Text& classBase, const Text& iconPath) {
  Arguments given;
  given.classBase = classBase;
  given.program = &exePath;
  given.icon = &iconPath;
  return WriteFileClass(given);
}

bool AddAllFilesVerb(const Text& verbName, const Text& command) {
  return AddVerb(kAllFilesVerb, verbName, command);
}

bool AddFolderVerb(const Text& verbName, const Text& command) {
  return AddVerb(kFolderVerb, verbName, command);
}

bool RegisterInstallation() {
  // The paths of the table on this machine: a system folder without an
  // exact text fails the icon's value, and with it the registration.
  if (!WriteFileClass(Arguments())) return false;
  AddVerbUnlessPresent(kAllFilesVerb, AddAllFilesVerb);
  AddVerbUnlessPresent(kFolderVerb, AddFolderVerb);
  CreateProgramGroup();
  CreateShortcuts();
  // Each value on its own: one that fails keeps none of the others out.
  WriteValuesOf({&kUninstallEntry}, Arguments(), OnFailure::GoOn);
  return true;
}
