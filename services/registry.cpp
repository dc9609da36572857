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

bool ReadRegText(int32_t rootCode, const Text& itemPath, Text* text) {
  HKEY root = RootKey(rootCode);
  Text keyPath, valueName;
  SplitItemPath(itemPath, &keyPath, &valueName);

  RegKey key;
  if (RegOpenKeyExA(root, keyPath.c_str(), 0, KEY_QUERY_VALUE, key.Receive()) != ERROR_SUCCESS)
    return false;
  DWORD type = 0, size = 0;
  if (RegQueryValueExA(key.Get(), valueName.c_str(), nullptr, &type, nullptr, &size) !=
          ERROR_SUCCESS ||
      (type != REG_SZ && type != REG_EXPAND_SZ))
    return false;
  // Room for a terminator that the stored value may lack.
  Text data(size_t(size) + 1, '\0');
  DWORD got = size;
  if (RegQueryValueExA(key.Get(), valueName.c_str(), nullptr, &type,
                       reinterpret_cast<BYTE*>(&data[0]), &got) != ERROR_SUCCESS ||
      got > size)
    return false;
  data.resize(got);
  while (!data.empty() && data.back() == '\0') data.pop_back();
  *text = data;
  return true;
}

bool DeleteRegKeyTree(int32_t rootCode, const Text& keyPath) {
  // An empty path would name the root itself.
  if (keyPath.empty()) return false;
  return RegDeleteTreeA(RootKey(rootCode), keyPath.c_str()) == ERROR_SUCCESS &&
         !RegKeyExists(rootCode, keyPath);
}

bool RegKeyExists(int32_t rootCode, const Text& keyPath) {
  RegKey key;
  return RegOpenKeyExA(RootKey(rootCode), keyPath.c_str(), 0, KEY_READ, key.Receive()) ==
         ERROR_SUCCESS;
}

bool DeleteEmptyRegKey(int32_t rootCode, const Text& keyPath) {
  if (keyPath.empty()) return false;
  {
    RegKey key;
    if (RegOpenKeyExA(RootKey(rootCode), keyPath.c_str(), 0, KEY_READ, key.Receive()) !=
        ERROR_SUCCESS)
      return false;
    DWORD subkeys = 0, values = 0;
    if (RegQueryInfoKeyA(key.Get(), nullptr, nullptr, nullptr, &subkeys, nullptr, nullptr, &values,
                         nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS ||
        subkeys != 0 || values != 0)
      return false;
  }
  return RegDeleteKeyA(RootKey(rootCode), keyPath.c_str()) == ERROR_SUCCESS;
}
