// Reads the registry straight through the Win32 API, to check what the
// registry services wrote.
#pragma once

#include <windows.h>

#include <string>

bool KeyExists(HKEY root, const std::string& path);

// The type and the stored bytes of a value; false when there is none.
bool ReadValue(HKEY root, const std::string& keyPath, const char* name, DWORD* type,
               std::string* data);
