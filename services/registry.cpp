#include "services/registry.h"

#include <windows.h>

#include "services/handles.h"
#include "services/registry_item.h"
#include "services/wide_text.h"

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

  const WideText key(keyPath);
  RegKey opened;
  if (RegOpenKeyExW(root, key.c_str(), 0, KEY_WRITE, opened.Receive()) != ERROR_SUCCESS) {
    if (RegCreateKeyW(root, key.c_str(), opened.Receive()) != ERROR_SUCCESS) return false;
    // For the empty key path RegCreateKeyW hands back the root itself, which
    // is not ours to close.
    if (opened.Get() == root) *opened.Receive() = nullptr;
  }
  HKEY target = opened.Get() ? opened.Get() : root;

  RegData data;
  if (!EncodeRegValue(value, &data)) return false;
  const WideText name(valueName);
  if (data.type != kRegString)
    return RegSetValueExW(target, name.c_str(), 0, data.type,
                          reinterpret_cast<const BYTE*>(data.bytes.data()),
                          DWORD(data.bytes.size())) == ERROR_SUCCESS;
  // The text with its terminating NUL, which converts to a NUL unit.
  const WideText text(data.bytes);
  return RegSetValueExW(target, name.c_str(), 0, data.type,
                        reinterpret_cast<const BYTE*>(text.c_str()),
                        DWORD(sizeof(wchar_t) * size_t(text.Length()))) == ERROR_SUCCESS;
}

bool DeleteRegItem(int32_t rootCode, const Text& itemPath) {
  HKEY root = RootKey(rootCode);
  Text keyPath, valueName;
  SplitItemPath(itemPath, &keyPath, &valueName);

  {
    RegKey key;
    if (RegOpenKeyExW(root, WideText(keyPath).c_str(), 0, KEY_WRITE, key.Receive()) ==
            ERROR_SUCCESS &&
        RegDeleteValueW(key.Get(), WideText(valueName).c_str()) == ERROR_SUCCESS)
      return true;
  }
  // No such value: the whole path, unsplit, may name a key.
  return RegDeleteKeyW(root, WideText(itemPath).c_str()) == ERROR_SUCCESS;
}

bool RegItemExists(int32_t rootCode, const Text& itemPath) {
  HKEY root = RootKey(rootCode);
  Text keyPath, valueName;
  SplitItemPath(itemPath, &keyPath, &valueName);

  RegKey key;
  if (RegOpenKeyExW(root, WideText(keyPath).c_str(), 0, KEY_READ, key.Receive()) != ERROR_SUCCESS)
    return false;
  DWORD type = 0, size = 0;
  return RegQueryValueExW(key.Get(), WideText(valueName).c_str(), nullptr, &type, nullptr, &size) ==
         ERROR_SUCCESS;
}

bool ReadRegText(int32_t rootCode, const Text& itemPath, Text* text) {
  HKEY root = RootKey(rootCode);
  Text keyPath, valueName;
  SplitItemPath(itemPath, &keyPath, &valueName);

  RegKey key;
  if (RegOpenKeyExW(root, WideText(keyPath).c_str(), 0, KEY_QUERY_VALUE, key.Receive()) !=
      ERROR_SUCCESS)
    return false;
  const WideText name(valueName);
  DWORD type = 0, size = 0;
  if (RegQueryValueExW(key.Get(), name.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS ||
      (type != REG_SZ && type != REG_EXPAND_SZ))
    return false;
  // Room for a terminator that the stored value may lack (and for an odd
  // last byte).
  WideText data = WideText::Room(size / sizeof(wchar_t) + 1);
  DWORD got = size;
  if (RegQueryValueExW(key.Get(), name.c_str(), nullptr, &type,
                       reinterpret_cast<BYTE*>(data.Buffer()), &got) != ERROR_SUCCESS ||
      got > size)
    return false;
  size_t units = got / sizeof(wchar_t);
  while (units > 0 && data.c_str()[units - 1] == L'\0') --units;
  *text = TextOfWide(data.c_str(), units);
  return true;
}

bool DeleteRegKeyTree(int32_t rootCode, const Text& keyPath) {
  // An empty path would name the root itself.
  if (keyPath.empty()) return false;
  return RegDeleteTreeW(RootKey(rootCode), WideText(keyPath).c_str()) == ERROR_SUCCESS &&
         !RegKeyExists(rootCode, keyPath);
}

bool RegKeyExists(int32_t rootCode, const Text& keyPath) {
  RegKey key;
  return RegOpenKeyExW(RootKey(rootCode), WideText(keyPath).c_str(), 0, KEY_READ, key.Receive()) ==
         ERROR_SUCCESS;
}

bool DeleteEmptyRegKey(int32_t rootCode, const Text& keyPath) {
  if (keyPath.empty()) return false;
  const WideText path(keyPath);
  {
    RegKey key;
    if (RegOpenKeyExW(RootKey(rootCode), path.c_str(), 0, KEY_READ, key.Receive()) != ERROR_SUCCESS)
      return false;
    DWORD subkeys = 0, values = 0;
    if (RegQueryInfoKeyW(key.Get(), nullptr, nullptr, nullptr, &subkeys, nullptr, nullptr, &values,
                         nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS ||
        subkeys != 0 || values != 0)
      return false;
  }
  return RegDeleteKeyW(RootKey(rootCode), path.c_str()) == ERROR_SUCCESS;
}
