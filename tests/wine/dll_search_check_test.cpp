// The ".local" check of the DLL-search hardening (frame/dll_search.cpp), which
// both programs run first, at every length of the path of the file it looks
// beside. Wine starts no program from a path of MAX_PATH characters or more
// for a Windows program (CreateProcessW fails, with the "\\?\" form too), so
// the check runs here on a library loaded from such a path, as it runs on
// the program's own file. The library is a marker library of the DLL-search
// test, which does nothing at such a length.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "frame/dll_search.h"
#include "support/test_support.h"

namespace {

// Argument: a library to load.
std::wstring Library() { return WideOf(HostPath(TestArgument(0))); }

struct PathForm {
  const wchar_t* path;
  const wchar_t* expected;  // empty: no such form
};

class ExtendedLength : public testing::TestWithParam<PathForm> {};

TEST_P(ExtendedLength, IsThePathAsGivenOrNone) {
  EXPECT_EQ(ExtendedLengthPath(GetParam().path), std::wstring(GetParam().expected));
}

INSTANTIATE_TEST_SUITE_P(
    Paths, ExtendedLength,
    testing::Values(
        PathForm{L"C:\\Downloads\\MorvaneSetup.exe", L"\\\\?\\C:\\Downloads\\MorvaneSetup.exe"},
        PathForm{L"d:\\a..b\\.x\\setup.exe", L"\\\\?\\d:\\a..b\\.x\\setup.exe"},
        PathForm{L"\\\\server\\share\\setup.exe", L"\\\\?\\UNC\\server\\share\\setup.exe"},
        PathForm{L"\\\\?\\C:\\Downloads\\setup.exe", L"\\\\?\\C:\\Downloads\\setup.exe"},
        PathForm{L"\\\\?\\UNC\\server\\share\\setup.exe", L"\\\\?\\UNC\\server\\share\\setup.exe"},
        // Device paths, relative paths and paths that Windows
        // rewrites have none.
        PathForm{L"\\\\.\\C:\\setup.exe", L""}, PathForm{L"\\\\\\setup.exe", L""},
        PathForm{L"\\setup.exe", L""}, PathForm{L"setup.exe", L""}, PathForm{L"C:setup.exe", L""},
        PathForm{L"1:\\setup.exe", L""}, PathForm{L"C:\\Downloads\\..\\setup.exe", L""},
        PathForm{L"C:\\Downloads\\.\\setup.exe", L""},
        PathForm{L"C:\\Downloads\\setup.exe\\..", L""}, PathForm{L"C:/Downloads/setup.exe", L""},
        PathForm{L"", L""}));

enum class Redirection { kNone, kFolder, kFile };

struct Beside {
  int levels;  // folders of 40 characters below the scratch folder
  Redirection redirection;
  bool refused;
  const char* caseName;
};

class LocalBeside : public testing::TestWithParam<Beside> {};

TEST_P(LocalBeside, IsFoundAtAnyLength) {
  const Beside& c = GetParam();
  const std::wstring scratch = L"\\\\?\\" + WideOf(MakeScratchFolder("dll-search-check"));
  std::wstring folder = scratch;
  for (int level = 0; level < c.levels; ++level) {
    folder += L"\\" + std::wstring(40, wchar_t(L'a' + level));
    ASSERT_TRUE(CreateDirectoryW(folder.c_str(), nullptr));
  }
  const std::wstring library = folder + L"\\setup.dll";
  ASSERT_TRUE(CopyFileW(Library().c_str(), library.c_str(), FALSE));
  const std::wstring local = library + L".local";
  if (c.redirection == Redirection::kFolder) {
    ASSERT_TRUE(CreateDirectoryW(local.c_str(), nullptr));
  }
  if (c.redirection == Redirection::kFile) {
    HANDLE file = CreateFileW(local.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    CloseHandle(file);
  }

  HMODULE module = LoadLibraryExW(library.c_str(), nullptr, 0);
  ASSERT_NE(module, nullptr) << GetLastError();
  // The case is the length it claims to be: a path of MAX_PATH characters
  // or more does not fit the buffer of MAX_PATH.
  wchar_t shortBuffer[MAX_PATH];
  const bool longPath = GetModuleFileNameW(module, shortBuffer, MAX_PATH) == MAX_PATH;
  EXPECT_EQ(longPath, c.levels > 4);
  EXPECT_EQ(LibrariesRedirectedFor(module), c.refused);
  FreeLibrary(module);
  RemoveTree(scratch);
}

INSTANTIATE_TEST_SUITE_P(Paths, LocalBeside,
                         testing::Values(Beside{1, Redirection::kNone, false, "ShortPathNone"},
                                         Beside{1, Redirection::kFolder, true, "ShortPathFolder"},
                                         Beside{1, Redirection::kFile, true, "ShortPathFile"},
                                         Beside{7, Redirection::kNone, false, "LongPathNone"},
                                         Beside{7, Redirection::kFolder, true, "LongPathFolder"},
                                         Beside{7, Redirection::kFile, true, "LongPathFile"}),
                         [](const testing::TestParamInfo<Beside>& info) {
                           return std::string(info.param.caseName);
                         });

// The program's own file, which nothing stands beside.
TEST(LocalBeside, TheTestProgramItselfIsNotRedirected) {
  EXPECT_FALSE(LibrariesRedirectedFor(nullptr));
}

}  // namespace
