// Reads the registry straight through the wide Win32 API, to check what the
// registry services wrote. Paths and names are code page 936.
#pragma once

#include <windows.h>

#include <string>

bool KeyExists(HKEY root, const std::string& path);

// The type and the stored bytes of a value; false when there is none. A
// string value (REG_SZ, REG_EXPAND_SZ, REG_MULTI_SZ) comes as code page 936,
// its terminators included, as the wide API holds it converted explicitly;
// a value of any other type as its bytes.
bool ReadValue(HKEY root, const std::string& keyPath, const char* name, DWORD* type,
               std::string* data);
