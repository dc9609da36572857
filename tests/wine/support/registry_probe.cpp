#include "support/registry_probe.h"

#include "support/test_support.h"

bool KeyExists(HKEY root, const std::string& path) {
  HKEY key;
  if (RegOpenKeyExW(root, WideOf(path).c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
  RegCloseKey(key);
  return true;
}

bool ReadValue(HKEY root, const std::string& keyPath, const char* name, DWORD* type,
               std::string* data) {
  HKEY key;
  if (RegOpenKeyExW(root, WideOf(keyPath).c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
    return false;
  wchar_t buffer[1024];
  DWORD size = sizeof(buffer);
  LONG status = RegQueryValueExW(key, WideOf(name).c_str(), nullptr, type,
                                 reinterpret_cast<BYTE*>(buffer), &size);
  RegCloseKey(key);
  if (status != ERROR_SUCCESS) return false;
  if (*type == REG_SZ || *type == REG_EXPAND_SZ || *type == REG_MULTI_SZ)
    *data = Cp936Of(std::wstring(buffer, size / sizeof(wchar_t)));
  else
    data->assign(reinterpret_cast<const char*>(buffer), size);
  return true;
}
