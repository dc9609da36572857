#include "setup/installed_state.h"

#include <shlobj.h>
#include <shobjidl.h>

#include "services/registry_item.h"
#include "support/test_support.h"

const std::string kInstallFolder = PathOf(kInstallationFolder.path, MachineFolders());
const std::string kMainProgramPath = PathOf(kMainProgram.path, MachineFolders());
const std::string kUninstallerPath = PathOf(kUninstaller.path, MachineFolders());
const std::string kUninstallKey = KeyPathOf(kUninstallEntry, kClassBase, kVerbName);

// The registry view of the setup program under test, which is built for the
// same processor as this driver: the 32-bit view for the product itself.
const REGSAM kSetupRegistryView = sizeof(void*) == 4 ? KEY_WOW64_32KEY : KEY_WOW64_64KEY;

MachineFolders SetupMachineFolders() {
  // Under WoW64 the setup program's writes to its system directory land in
  // the 32-bit system folder, and that folder is what the path must name.
  wchar_t system[MAX_PATH] = {};
  if (RunsUnderWow64())
    GetSystemWow64DirectoryW(system, MAX_PATH);
  else
    GetSystemDirectoryW(system, MAX_PATH);
  // A folder the shell does not name stays unnamed, as for the setup program.
  const auto withSlash = [](const std::string& folder) {
    return folder.empty() ? folder : folder + "\\";
  };
  MachineFolders machine;
  machine.system = withSlash(Cp936Of(system));
  machine.programs = withSlash(ShellFolder(CSIDL_PROGRAMS));
  machine.desktop = withSlash(ShellFolder(CSIDL_DESKTOPDIRECTORY));
  return machine;
}

std::string PathHere(const PlacedName& name) { return PathOf(name, SetupMachineFolders()); }

std::wstring WidePathHere(const PlacedName& name) {
  std::string below;
  const MachineFolder folder = FolderBelow(name, &below);
  std::wstring path;
  switch (folder) {
    case MachineFolder::None:
      return WideOf(below);
    case MachineFolder::System:
      path = WideOf(SetupMachineFolders().system);
      break;
    case MachineFolder::Programs:
      path = WideShellFolder(CSIDL_PROGRAMS);
      break;
    case MachineFolder::Desktop:
      path = WideShellFolder(CSIDL_DESKTOPDIRECTORY);
      break;
  }
  if (path.empty()) return path;
  if (path.back() != L'\\') path += L'\\';
  return path + WideOf(below);
}

std::string IconPath() { return PathHere(kProductIcon.path); }

namespace {

HKEY RootKey(int32_t root) { return root == kClassesRoot ? HKEY_CLASSES_ROOT : HKEY_LOCAL_MACHINE; }

std::string RootName(int32_t root) { return root == kClassesRoot ? "HKCR\\" : "HKLM\\"; }

}  // namespace

std::vector<TableValue> TableValues() {
  const MachineFolders machine = SetupMachineFolders();
  std::vector<TableValue> values;
  for (const RegistryValueItem& item : kRegistryValues) {
    const ResolvedValue value = Resolve(item, machine);
    values.push_back({RootKey(item.key->root), value.valueKey, item.name, value.data,
                      item.condition == WriteCondition::UnlessPresent});
  }
  return values;
}

std::string FilesPresent() {
  std::string present;
  for (const FileItem* file : kFiles)
    if (PathExists(PathHere(file->path))) present += PathHere(file->path) + "\n";
  if (PathExists(kInstallFolder)) present += kInstallFolder + "\n";
  return present;
}

std::string RegistrationPresent() {
  std::string present;
  for (const RegistryKeyItem* key : kRegistryKeys) {
    const std::string path = KeyPathOf(*key, kClassBase, kVerbName);
    if (RegistryKeyExists(RootKey(key->root), path)) present += RootName(key->root) + path + "\n";
  }
  for (const std::wstring& link : {DesktopShortcut(), GroupShortcut(), GroupUninstallShortcut()})
    if (PathExists(link)) present += Utf8Of(link) + "\n";
  if (PathExists(ProgramGroup())) present += Utf8Of(ProgramGroup()) + "\n";
  return present;
}

std::string RegistryText(HKEY root, const std::string& keyPath, const char* name, REGSAM view) {
  HKEY key;
  if (RegOpenKeyExW(root, WideOf(keyPath).c_str(), 0, KEY_READ | view, &key) != ERROR_SUCCESS)
    return "<none>";
  wchar_t buffer[2048];
  DWORD size = sizeof buffer, type = 0;
  const LONG status = RegQueryValueExW(key, WideOf(name).c_str(), nullptr, &type,
                                       reinterpret_cast<BYTE*>(buffer), &size);
  RegCloseKey(key);
  if (status != ERROR_SUCCESS) return "<none>";
  if (type != REG_SZ) return "<not REG_SZ>";
  const size_t units = size / sizeof(wchar_t);
  if (units == 0 || buffer[units - 1] != L'\0') return "<no NUL>";
  return Cp936Of(std::wstring(buffer, units - 1));
}

bool RegistryKeyExists(HKEY root, const std::string& keyPath) {
  HKEY key;
  if (RegOpenKeyExW(root, WideOf(keyPath).c_str(), 0, KEY_READ | kSetupRegistryView, &key) !=
      ERROR_SUCCESS)
    return false;
  RegCloseKey(key);
  return true;
}

void SetRegistryText(HKEY root, const std::string& keyPath, const char* name,
                     const std::string& text) {
  HKEY key;
  if (RegCreateKeyExW(root, WideOf(keyPath).c_str(), 0, nullptr, 0, KEY_WRITE | kSetupRegistryView,
                      nullptr, &key, nullptr) != ERROR_SUCCESS)
    return;
  const std::wstring wide = WideOf(text);
  RegSetValueExW(key, WideOf(name).c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(wide.c_str()),
                 DWORD((wide.size() + 1) * sizeof(wchar_t)));
  RegCloseKey(key);
}

std::string ShortcutTarget(const std::string& linkFile) { return ShortcutTarget(WideOf(linkFile)); }

std::string ShortcutTarget(const std::wstring& linkFile) {
  IShellLinkW* link = nullptr;
  if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                              reinterpret_cast<void**>(&link))))
    return "<unreadable>";
  std::string result = "<unreadable>";
  IPersistFile* file = nullptr;
  if (SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file)))) {
    // The target by the link's item list, which the shell follows; Wine
    // keeps the path stored beside it in the ANSI code page only.
    wchar_t target[MAX_PATH] = {};
    PIDLIST_ABSOLUTE items = nullptr;
    if (SUCCEEDED(file->Load(linkFile.c_str(), STGM_READ)) && SUCCEEDED(link->GetIDList(&items)) &&
        items && SHGetPathFromIDListW(items, target))
      result = Cp936Of(target);
    CoTaskMemFree(items);
    file->Release();
  }
  link->Release();
  return result;
}

std::string ShellFolder(int csidl) { return Cp936Of(WideShellFolder(csidl)); }

std::wstring WideShellFolder(int csidl) {
  wchar_t path[MAX_PATH] = {};
  SHGetSpecialFolderPathW(nullptr, path, csidl, FALSE);
  return path;
}

// Saving a link adds ".lnk" to a name without a dot, as the table's are.
std::wstring DesktopShortcut() { return WidePathHere(kDesktopShortcut.link) + L".lnk"; }
std::wstring GroupShortcut() { return WidePathHere(kGroupShortcut.link) + L".lnk"; }
std::wstring GroupUninstallShortcut() {
  return WidePathHere(kGroupUninstallShortcut.link) + L".lnk";
}
std::wstring ProgramGroup() { return WidePathHere(kProgramGroup.path); }

bool PathExists(const std::wstring& path) {
  return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool PathExists(const std::string& path) { return PathExists(WideOf(path)); }

bool IsFolder(const std::string& path) {
  const DWORD attributes = GetFileAttributesW(WideOf(path).c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::string CompareFiles(const std::string& installed, const std::string& expected, FileView view) {
  std::string have, want;
  const bool read = view == FileView::As64BitProgram ? ReadWholeFileAs64BitProgram(installed, &have)
                                                     : ReadWholeFile(installed, &have);
  if (!read) return "cannot read " + installed;
  if (!ReadWholeFile(expected, &want)) return "cannot read " + expected;
  if (have.size() != want.size())
    return installed + ": " + std::to_string(have.size()) + " bytes, not " +
           std::to_string(want.size());
  if (have != want) return installed + ": other bytes";
  return "same";
}
