// The uninstaller's private folder as the first phase makes it: in the
// system's temporary folder, never the user's; its owner and access list
// read back as they were made; held from its creation so that nobody can
// rename it, and the copy in it held so that nobody can write or replace it,
// while Windows can still start it. Wine keeps security descriptors but
// does not enforce access lists: what the list lets in is the native rule
// test's part (tests/host), the place and the holding are this one's.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "support/test_support.h"
#include "uninstaller/private_folder.h"
#include "uninstaller/private_folder_rule.h"

namespace {

bool IsUnder(const std::wstring& path, const std::wstring& folder) {
  return path.size() > folder.size() &&
         CompareStringOrdinal(path.c_str(), int(folder.size()), folder.c_str(), int(folder.size()),
                              TRUE) == CSTR_EQUAL;
}

// Whether this system keeps the security descriptor a folder is made with:
// Windows does; Wine may make one up from the Unix permissions instead
// (owner the user), and then no folder's owner or list can be checked here.
bool DescriptorsAreKept(std::string* readBack) {
  const std::wstring probe = SystemTempFolder() + L"morvane-descriptor-probe";
  if (!CreateFolderWithSecurity(probe, kPrivateFolderSecurity)) return false;
  *readBack = SecurityOf(probe);
  RemoveDirectoryW(probe.c_str());
  return IsPrivateFolderSecurity(*readBack);
}

// A small program of Windows' own to stand for the uninstaller.
WidePath SmallProgram() {
  wchar_t units[MAX_PATH];
  const UINT length = GetSystemDirectoryW(units, MAX_PATH);
  return WidePath::OfUnits((std::wstring(units, length) + L"\\hostname.exe").c_str());
}

TEST(PrivateFolder, LiesInTheSystemTemporaryFolderWithOurOwnerAndAccessList) {
  PrivateFolder place;
  ASSERT_TRUE(place.Make());
  const std::wstring folder = place.Folder().c_str();
  EXPECT_TRUE(IsUnder(folder, SystemTempFolder())) << Utf8Of(folder);
  EXPECT_FALSE(IsUnder(folder, UserTempFolder())) << Utf8Of(folder);
  EXPECT_TRUE(IsPrivateFolderName(Utf8Of(folder.substr(SystemTempFolder().size()))))
      << Utf8Of(folder);
  std::string probe;
  if (DescriptorsAreKept(&probe)) {
    const std::string security = SecurityOf(folder);
    EXPECT_TRUE(IsPrivateFolderSecurity(security)) << security;
  } else {
    printf("the owner and access list go unchecked: this system reads back %s\n", probe.c_str());
  }
  // Each one fresh.
  PrivateFolder another;
  ASSERT_TRUE(another.Make());
  EXPECT_NE(std::wstring(another.Folder().c_str()), folder);
  another.Remove();
  place.Remove();
  EXPECT_EQ(GetFileAttributesW(folder.c_str()), INVALID_FILE_ATTRIBUTES);
}

// While held, the rename that would put another folder in its place fails,
// as do writing, renaming and deleting the copy; the copy starts all the
// same. Once let go the same rename goes through: the refusals were the
// hold's.
TEST(PrivateFolder, HeldNeitherItNorTheCopyCanBeReplacedAndTheCopyStillStarts) {
  PrivateFolder place;
  ASSERT_TRUE(place.Make());
  const std::wstring folder = place.Folder().c_str();
  const std::wstring moved = folder + L"-moved";
  EXPECT_FALSE(MoveFileW(folder.c_str(), moved.c_str())) << "renamed while held";
  ASSERT_TRUE(place.PutCopy(SmallProgram(), "hostname.exe"));
  const std::wstring copy = place.Copy().c_str();
  EXPECT_EQ(copy, folder + L"\\hostname.exe");
  HANDLE writer = CreateFileW(copy.c_str(), GENERIC_WRITE,
                              FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                              OPEN_EXISTING, 0, nullptr);
  EXPECT_EQ(writer, INVALID_HANDLE_VALUE) << "the copy opened for writing while held";
  if (writer != INVALID_HANDLE_VALUE) CloseHandle(writer);
  EXPECT_FALSE(MoveFileW(copy.c_str(), (copy + L".old").c_str())) << "the copy renamed";
  EXPECT_FALSE(DeleteFileW(copy.c_str())) << "the copy deleted";
  EXPECT_FALSE(MoveFileW(folder.c_str(), moved.c_str())) << "renamed while the copy is held";

  std::wstring commandLine = L"hostname.exe";
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  ASSERT_TRUE(CreateProcessW(copy.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr,
                             nullptr, &startup, &process))
      << "the held copy does not start: " << GetLastError();
  EXPECT_EQ(WaitForSingleObject(process.hProcess, 30000), WAIT_OBJECT_0);
  DWORD code = 12345;
  EXPECT_TRUE(GetExitCodeProcess(process.hProcess, &code));
  EXPECT_EQ(code, 0u);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);

  place.LetGo();
  ASSERT_TRUE(MoveFileW(folder.c_str(), moved.c_str())) << "not even once let go";
  ASSERT_TRUE(MoveFileW(moved.c_str(), folder.c_str()));
  place.Remove();
  EXPECT_EQ(GetFileAttributesW(folder.c_str()), INVALID_FILE_ATTRIBUTES);
}

// The second phase marks itself for deletion at the restart only from its
// place: a file directly in a private folder directly in the system's
// temporary folder.
TEST(PrivateFolder, TheCopysPlaceIsDirectlyInAPrivateFolderOfTheSystemTemporaryFolder) {
  PrivateFolder place;
  ASSERT_TRUE(place.Make());
  ASSERT_TRUE(place.PutCopy(SmallProgram(), "hostname.exe"));
  EXPECT_TRUE(IsInPrivateFolder(place.Copy()));
  const std::wstring name = std::wstring(place.Folder().c_str()).substr(SystemTempFolder().size());
  const auto path = [](const std::wstring& text) { return WidePath::OfUnits(text.c_str()); };
  EXPECT_TRUE(IsInPrivateFolder(path(SystemTempFolder() + name + L"\\other.exe")));
  EXPECT_FALSE(IsInPrivateFolder(path(UserTempFolder() + name + L"\\hostname.exe")));
  EXPECT_FALSE(IsInPrivateFolder(path(SystemTempFolder() + name + L"\\sub\\hostname.exe")));
  EXPECT_FALSE(
      IsInPrivateFolder(path(SystemTempFolder() + L"MorvaneUninstall-0123456789ABCDEF\\u.exe")));
  EXPECT_FALSE(
      IsInPrivateFolder(path(SystemTempFolder() + L"MorvaneUninstall-0123456789abcde\\u.exe")));
  EXPECT_FALSE(IsInPrivateFolder(path(SystemTempFolder() + L"hostname.exe")));
  EXPECT_FALSE(IsInPrivateFolder(path(name + L"\\hostname.exe")));
  place.Remove();
}

}  // namespace
