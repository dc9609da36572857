#include "setup/machine_snapshot.h"

#include <windows.h>

#include <cstdio>

#include "support/test_support.h"

namespace {

std::string Hex(const BYTE* data, DWORD size) {
  std::string text;
  char pair[3];
  for (DWORD i = 0; i < size; ++i) {
    snprintf(pair, sizeof pair, "%02x", data[i]);
    text += pair;
  }
  return text;
}

void AddFiles(const std::wstring& folder, const std::wstring& skipped, MachineSnapshot* shot) {
  ForEachEntry(folder, [&](const std::wstring& path, const WIN32_FIND_DATAW& found) {
    if (lstrcmpiW(path.c_str(), skipped.c_str()) == 0) return;
    char what[96];
    const bool isFolder = (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    snprintf(what, sizeof what, "%s %lu %lu:%lu", isFolder ? "folder" : "file", found.nFileSizeLow,
             found.ftLastWriteTime.dwHighDateTime, found.ftLastWriteTime.dwLowDateTime);
    // A folder's own time changes with what is put in and taken out of it;
    // what it holds is compared entry by entry.
    shot->entries["file " + Utf8Of(path)] = isFolder ? "folder" : what;
    if (isFolder && !(found.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT))
      AddFiles(path, skipped, shot);
  });
}

void AddKey(HKEY root, const std::wstring& rootName, const std::wstring& path,
            MachineSnapshot* shot) {
  HKEY key;
  // The 64-bit view, where there is one: it holds the 32-bit programs'
  // view (Wow6432Node) too.
  if (RegOpenKeyExW(root, path.c_str(), 0, KEY_READ | KEY_WOW64_64KEY, &key) != ERROR_SUCCESS)
    return;
  const std::wstring name = path.empty() ? rootName : rootName + L"\\" + path;
  shot->entries["key " + Utf8Of(name)] = "";
  std::vector<wchar_t> valueName(16384);
  std::vector<BYTE> data(1 << 16);
  for (DWORD i = 0;; ++i) {
    DWORD nameLength = DWORD(valueName.size()), dataSize = DWORD(data.size()), type = 0;
    const LONG status = RegEnumValueW(key, i, valueName.data(), &nameLength, nullptr, &type,
                                      data.data(), &dataSize);
    if (status == ERROR_MORE_DATA) {
      data.resize(dataSize + 1);
      --i;
      continue;
    }
    if (status != ERROR_SUCCESS) break;
    shot->entries["value " + Utf8Of(name + L"\\" + std::wstring(valueName.data(), nameLength))] =
        std::to_string(type) + ":" + Hex(data.data(), dataSize);
  }
  std::vector<std::wstring> subkeys;
  for (DWORD i = 0;; ++i) {
    wchar_t subkey[256];
    DWORD length = 256;
    if (RegEnumKeyExW(key, i, subkey, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
      break;
    subkeys.emplace_back(subkey, length);
  }
  RegCloseKey(key);
  for (const std::wstring& subkey : subkeys)
    AddKey(root, rootName, path.empty() ? subkey : path + L"\\" + subkey, shot);
}

}  // namespace

MachineSnapshot TakeMachineSnapshot() {
  MachineSnapshot shot;
  wchar_t temp[MAX_PATH];
  DWORD length = GetTempPathW(MAX_PATH, temp);
  std::wstring skipped(temp, length);
  if (!skipped.empty() && skipped.back() == L'\\') skipped.pop_back();
  AddFiles(L"C:", skipped, &shot);
  AddKey(HKEY_LOCAL_MACHINE, L"HKLM", L"", &shot);
  AddKey(HKEY_CURRENT_USER, L"HKCU", L"", &shot);
  return shot;
}

std::vector<std::string> SnapshotDifferences(const MachineSnapshot& before,
                                             const MachineSnapshot& after) {
  std::vector<std::string> lines;
  for (const auto& [entry, held] : before.entries) {
    auto found = after.entries.find(entry);
    if (found == after.entries.end())
      lines.push_back("- " + entry);
    else if (found->second != held)
      lines.push_back("~ " + entry);
  }
  for (const auto& [entry, held] : after.entries)
    if (!before.entries.count(entry)) lines.push_back("+ " + entry);
  return lines;
}
