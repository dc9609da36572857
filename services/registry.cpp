#include "services/registry.h"

#include <windows.h>

#include "services/handles.h"
#include "services/registry_item.h"

namespace {

HKEY RootKey(int32_t rootCode) {
  switch (RootForCode(rootCode)) {
    case RegistryRoot::ClassesRoot:
      return HKEY_CLASSES_ROOT;
    case RegistryRoot::CurrentConfig:
      return HKEY_CURRENT_CONFIG;
    case RegistryRoot::LocalMachine:
      return HKEY_LOCAL_MACHINE;
    case RegistryRoot::Users:
      return HKEY_USERS;
    case RegistryRoot::CurrentUser:
      break;
  }
  return HKEY_CURRENT_USER;
}

}  // namespace

bool WriteRegItem(int32_t rootCode, const Text& itemPath, const Value& value) {
  HKEY root = RootKey(rootCode);
  Text keyPath, valueName;
  SplitItemPath(itemPath, &keyPath, &valueName);

  RegKey key;
  if (RegOpenKeyExA(root, keyPath.c_str(), 0, KEY_WRITE, key.Receive()) != ERROR_SUCCESS) {
    if (RegCreateKeyA(root, keyPath.c_str(), key.Receive()) != ERROR_SUCCESS) return false;
    // For the empty key path RegCreateKeyA hands back the root itself, which
    // is not ours to close.
    if (key.Get() == root) *key.Receive() = nullptr;
  }
  HKEY target = key.Get() ? key.Get() : root;

  RegData data;
  if (!EncodeRegValue(value, &data)) return false;
  return RegSetValueExA(target, valueName.c_str(), 0, data.type,
                        reinterpret_cast<const BYTE*>(data.bytes.data()),
                        DWORD(data.bytes.size())) == ERROR_SUCCESS;
}

bool DeleteRegItem(int32_t rootCode, const Text& itemPath) {
  HKEY root = RootKey(rootCode);
  Text keyPath, valueName;
  SplitItemPath(itemPath, &keyPath, &valueName);

  {
    RegKey key;
    if (RegOpenKeyExA(root, keyPath.c_str(), 0, KEY_WRITE, key.Receive()) == ERROR_SUCCESS &&
        RegDeleteValueA(key.Get(), valueName.c_str()) == ERROR_SUCCESS)
      return true;
  }
  // No such value: the whole path, unsplit, may name a key.
  return RegDeleteKeyA(root, itemPath.c_str()) == ERROR_SUCCESS;
}

bool RegItemExists(int32_t rootCode, const Text& itemPath) {
  HKEY root = RootKey(rootCode);
  Text keyPath, valueName;
  SplitItemPath(itemPath, &keyPath, &valueName);

  RegKey key;
  if (RegOpenKeyExA(root, keyPath.c_str(), 0, KEY_READ, key.Receive()) != ERROR_SUCCESS)
    return false;
  DWORD type = 0, size = 0;
  return RegQueryValueExA(key.Get(), valueName.c_str(), nullptr, &type, nullptr, &size) ==
         ERROR_SUCCESS;
}
