#include "support/test_support.h"

#include <windows.h>
#include <aclapi.h>
#include <sddl.h>
#include <winioctl.h>

#include <cstring>

#include "support/real_input.h"

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

std::wstring SystemTempFolder() {
  wchar_t units[MAX_PATH];
  const UINT length = GetSystemWindowsDirectoryW(units, MAX_PATH);
  return std::wstring(units, length) + L"\\Temp\\";
}

std::wstring UserTempFolder() {
  wchar_t units[MAX_PATH];
  return std::wstring(units, GetTempPathW(MAX_PATH, units));
}

bool CreateFolderWithSecurity(const std::wstring& path, const char* sddl) {
  PSECURITY_DESCRIPTOR descriptor = nullptr;
  if (!ConvertStringSecurityDescriptorToSecurityDescriptorW(WideOf(sddl).c_str(), SDDL_REVISION_1,
                                                            &descriptor, nullptr))
    return false;
  SECURITY_ATTRIBUTES attributes{sizeof attributes, descriptor, FALSE};
  const bool made = CreateDirectoryW(path.c_str(), &attributes) != FALSE;
  LocalFree(descriptor);
  return made;
}

std::string SecurityOf(const std::wstring& path) {
  const SECURITY_INFORMATION parts = OWNER_SECURITY_INFORMATION | DACL_SECURITY_INFORMATION;
  PSECURITY_DESCRIPTOR descriptor = nullptr;
  if (GetNamedSecurityInfoW(path.c_str(), SE_FILE_OBJECT, parts, nullptr, nullptr, nullptr, nullptr,
                            &descriptor) != ERROR_SUCCESS)
    return "";
  LPWSTR sddl = nullptr;
  std::string text;
  if (ConvertSecurityDescriptorToStringSecurityDescriptorW(descriptor, SDDL_REVISION_1, parts,
                                                           &sddl, nullptr)) {
    text = Utf8Of(sddl);
    LocalFree(sddl);
  }
  LocalFree(descriptor);
  return text;
}

namespace {

// A mount point's reparse data: the target as the object manager names it
// ("\??\C:\victim"), then an empty name to show.
bool MakeJunction(const std::wstring& link, const std::wstring& target) {
  if (!CreateDirectoryW(link.c_str(), nullptr)) return false;
  HANDLE folder = CreateFileW(link.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                              FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
  bool made = false;
  if (folder != INVALID_HANDLE_VALUE) {
    const std::wstring substitute = L"\\??\\" + target;
    const WORD nameBytes = WORD(substitute.size() * sizeof(wchar_t));
    std::vector<BYTE> data(8 + 8 + nameBytes + 2 * sizeof(wchar_t), 0);
    const auto put = [&](size_t at, WORD value) { memcpy(&data[at], &value, sizeof value); };
    const DWORD tag = IO_REPARSE_TAG_MOUNT_POINT;
    memcpy(&data[0], &tag, sizeof tag);
    put(4, WORD(data.size() - 8));  // the bytes after the header
    put(8, 0);                      // the substitute name's offset
    put(10, nameBytes);             // and length
    put(12, WORD(nameBytes + 2));   // the name to show: empty
    put(14, 0);
    memcpy(&data[16], substitute.data(), nameBytes);
    DWORD returned = 0;
    made = DeviceIoControl(folder, FSCTL_SET_REPARSE_POINT, data.data(), DWORD(data.size()),
                           nullptr, 0, &returned, nullptr) != FALSE;
    CloseHandle(folder);
  }
  if (!made) RemoveDirectoryW(link.c_str());
  return made;
}

using UnixFileNameFn = char*(CDECL*)(LPCWSTR);

// Wine's own export that names a file as Unix does; empty elsewhere.
std::string UnixNameOf(const std::wstring& path) {
  auto unixName = reinterpret_cast<UnixFileNameFn>(reinterpret_cast<void (*)()>(
      GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "wine_get_unix_file_name")));
  if (!unixName) return "";
  char* name = unixName(path.c_str());
  if (!name) return "";
  std::string text = name;
  HeapFree(GetProcessHeap(), 0, name);
  return text;
}

}  // namespace

bool MakeFolderLink(const std::wstring& link, const std::wstring& target) {
  if (MakeJunction(link, target)) return true;
  const size_t slash = link.rfind(L'\\');
  const std::string from = UnixNameOf(target), folder = UnixNameOf(link.substr(0, slash));
  if (from.empty() || folder.empty() || slash == std::wstring::npos) return false;
  std::wstring commandLine = L"ln -s \"" + WideOfUtf8(from) + L"\" \"" + WideOfUtf8(folder) + L"/" +
                             link.substr(slash + 1) + L"\"";
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  if (!CreateProcessW(L"Z:\\bin\\ln", &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                      &startup, &process))
    return false;
  if (process.hThread) CloseHandle(process.hThread);
  if (process.hProcess) CloseHandle(process.hProcess);
  // Wine runs a Unix program beside its own processes, with no process of
  // its own to wait on: the link is there once it shows.
  DWORD attributes = INVALID_FILE_ATTRIBUTES;
  WaitUntil([&] {
    attributes = GetFileAttributesW(link.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES;
  });
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_REPARSE_POINT);
}
