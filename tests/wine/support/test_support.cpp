#include "support/test_support.h"

#include <windows.h>

std::string HostPath(const std::string& unixPath) {
  std::string path = "Z:" + unixPath;
  for (char& c : path)
    if (c == '/') c = '\\';
  return path;
}

bool ReadWholeFile(const std::string& path, std::string* content) {
  HANDLE file = CreateFileW(WideOf(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                            nullptr, OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  content->clear();
  char buffer[65536];
  DWORD got = 0;
  bool ok = true;
  while ((ok = ReadFile(file, buffer, sizeof(buffer), &got, nullptr) != FALSE) && got > 0)
    content->append(buffer, got);
  CloseHandle(file);
  return ok;
}

bool RunsUnderWow64() {
  BOOL wow64 = FALSE;
  return IsWow64Process(GetCurrentProcess(), &wow64) && wow64;
}

bool ReadWholeFileAs64BitProgram(const std::string& path, std::string* content) {
  if (!RunsUnderWow64()) return ReadWholeFile(path, content);
  // Redirection is per thread; no other call may run on it meanwhile.
  void* redirection = nullptr;
  if (!Wow64DisableWow64FsRedirection(&redirection)) return false;
  const bool read = ReadWholeFile(path, content);
  Wow64RevertWow64FsRedirection(redirection);
  return read;
}

bool WriteWholeFile(const std::string& path, const std::string& content) {
  HANDLE file =
      CreateFileW(WideOf(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  bool ok = WriteFile(file, content.data(), DWORD(content.size()), &written, nullptr) &&
            written == content.size();
  return CloseHandle(file) && ok;
}

std::string MakeScratchFolder(const char* name) {
  wchar_t temp[MAX_PATH];
  GetTempPathW(MAX_PATH, temp);
  // A temporary folder in a profile whose name code page 936 cannot write
  // (the wideuser prefix) has no text of its own: the drive's root then.
  std::string parent = Cp936Of(temp);
  if (WideOf(parent) != temp) parent = "C:\\";
  std::string folder = parent + "morvane-" + name;
  RemoveTree(folder);
  CreateDirectoryW(WideOf(folder).c_str(), nullptr);
  return folder;
}

namespace {

void RemoveWideTree(const std::wstring& path) {
  WIN32_FIND_DATAW found;
  HANDLE search = FindFirstFileW((path + L"\\*").c_str(), &found);
  if (search != INVALID_HANDLE_VALUE) {
    do {
      const std::wstring name = found.cFileName;
      if (name == L"." || name == L"..") continue;
      const std::wstring child = path + L"\\" + name;
      if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
        RemoveWideTree(child);
      else
        DeleteFileW(child.c_str());
    } while (FindNextFileW(search, &found));
    FindClose(search);
  }
  RemoveDirectoryW(path.c_str());
}

}  // namespace

void RemoveTree(const std::string& path) { RemoveWideTree(WideOf(path)); }

std::vector<std::string> NamesIn(const std::string& folder) {
  std::vector<std::string> names;
  WIN32_FIND_DATAW found;
  HANDLE search = FindFirstFileW((WideOf(folder) + L"\\*").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return names;
  do
    if (lstrcmpW(found.cFileName, L".") != 0 && lstrcmpW(found.cFileName, L"..") != 0)
      names.push_back(Cp936Of(found.cFileName));
  while (FindNextFileW(search, &found));
  FindClose(search);
  return names;
}

void RemoveTree(const std::wstring& path) { RemoveWideTree(path); }

void ForEachEntry(
    const std::wstring& folder,
    const std::function<void(const std::wstring& path, const WIN32_FIND_DATAW& found)>& visit) {
  WIN32_FIND_DATAW found;
  HANDLE search = FindFirstFileW((folder + L"\\*").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return;
  do {
    const std::wstring name = found.cFileName;
    if (name != L"." && name != L"..") visit(folder + L"\\" + name, found);
  } while (FindNextFileW(search, &found));
  FindClose(search);
}

namespace {

void ListTree(const std::wstring& folder, const std::string& below,
              std::vector<std::string>* names) {
  ForEachEntry(folder, [&](const std::wstring& path, const WIN32_FIND_DATAW& found) {
    const std::string name = below + Utf8Of(found.cFileName);
    names->push_back(name);
    if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) ListTree(path, name + "\\", names);
  });
}

}  // namespace

std::vector<std::string> TreeOf(const std::wstring& folder) {
  std::vector<std::string> names;
  ListTree(folder, "", &names);
  return names;
}
