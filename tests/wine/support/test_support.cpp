#include "support/test_support.h"

#include <windows.h>
#include <ole2.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <vector>

namespace {
std::vector<std::string> g_arguments;
}

int TestArgumentCount() { return int(g_arguments.size()); }
const char* TestArgument(int index) { return g_arguments.at(index).c_str(); }

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

// The frame initialises OLE on the user-interface thread before anything
// else; so do the tests.
int main(int argc, char** argv) {
  testing::InitGoogleTest(&argc, argv);
  for (int i = 1; i < argc; ++i) g_arguments.push_back(argv[i]);
  OleInitialize(nullptr);
  int result = RUN_ALL_TESTS();
  OleUninitialize();
  // A filter that names no case (a scenario renamed in one place only)
  // must not pass for a test that ran.
  if (testing::UnitTest::GetInstance()->test_to_run_count() == 0) {
    printf("no test case matches the filter\n");
    return 1;
  }
  // A run in which a case skipped and none failed counts as skipped, not as
  // passed (CTest's SKIP_RETURN_CODE, cmake/Testing.cmake). A case that may
  // skip therefore runs as a CTest test of its own, so that its skip hides
  // no case that ran.
  if (result == 0 && testing::UnitTest::GetInstance()->skipped_test_count() > 0)
    return kSkippedExitCode;
  return result;
}
