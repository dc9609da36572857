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
  HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                            OPEN_EXISTING, 0, nullptr);
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
  HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  bool ok = WriteFile(file, content.data(), DWORD(content.size()), &written, nullptr) &&
            written == content.size();
  return CloseHandle(file) && ok;
}

std::string MakeScratchFolder(const char* name) {
  char temp[MAX_PATH];
  GetTempPathA(MAX_PATH, temp);
  std::string folder = std::string(temp) + "morvane-" + name;
  RemoveTree(folder);
  CreateDirectoryA(folder.c_str(), nullptr);
  return folder;
}

void RemoveTree(const std::string& path) {
  WIN32_FIND_DATAA found;
  HANDLE search = FindFirstFileA((path + "\\*").c_str(), &found);
  if (search != INVALID_HANDLE_VALUE) {
    do {
      std::string name = found.cFileName;
      if (name == "." || name == "..") continue;
      std::string child = path + "\\" + name;
      if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
        RemoveTree(child);
      else
        DeleteFileA(child.c_str());
    } while (FindNextFileA(search, &found));
    FindClose(search);
  }
  RemoveDirectoryA(path.c_str());
}

std::string Gbk(const char* utf8) {
  wchar_t wide[1024];
  int n = MultiByteToWideChar(CP_UTF8, 0, utf8, -1, wide, 1024);
  char bytes[2048];
  int m = n ? WideCharToMultiByte(936, 0, wide, -1, bytes, sizeof(bytes), nullptr, nullptr) : 0;
  return m ? std::string(bytes, m - 1) : std::string();
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
