// WriteBytesToFile, CreateFolder and FileExists against the real file system.
// A run of its own puts the FullDisk cases on a small disk that the test bed
// mounts (tests/harness/wine-run.sh); elsewhere they skip.
#include "services/files.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "support/test_support.h"
#include "texts/installation.h"

namespace {

ByteBlock Bytes(const char* s) {
  return {reinterpret_cast<const uint8_t*>(s), uint32_t(strlen(s))};
}

// The leftovers of writes to `target`, as texts, sorted.
std::vector<std::string> Leftovers(const std::string& target) {
  std::vector<std::string> names;
  for (const WidePath& path : LeftoverTemporaryFiles(target))
    names.push_back(ShownTextOfPath(path));
  std::sort(names.begin(), names.end());
  return names;
}

class FilesTest : public testing::Test {
 protected:
  void SetUp() override { folder_ = MakeScratchFolder("files"); }
  void TearDown() override { RemoveTree(folder_); }
  std::string Path(const char* name) const { return folder_ + "\\" + name; }
  std::vector<std::string> Names() const {
    std::vector<std::string> names = NamesIn(folder_);
    std::sort(names.begin(), names.end());
    return names;
  }
  std::string Content(const char* name) const {
    std::string content;
    EXPECT_TRUE(ReadWholeFile(Path(name), &content)) << name;
    return content;
  }
  std::string folder_;
};

TEST_F(FilesTest, WriteReplacesContentAndJoinsBlocks) {
  ASSERT_TRUE(WriteWholeFile(Path("ten"), "0123456789"));
  EXPECT_TRUE(WriteBytesToFile(Path("ten"), Bytes("abc")));
  EXPECT_EQ(Content("ten"), "abc");

  ByteBlock two[] = {Bytes("AB"), Bytes(""), Bytes("CD")};
  EXPECT_TRUE(WriteBytesToFile(Path("two"), two, 3));
  EXPECT_EQ(Content("two"), "ABCD");

  EXPECT_TRUE(WriteBytesToFile(Path("ten"), nullptr, 0)) << "no block truncates";
  EXPECT_EQ(Content("ten"), "");
  ByteBlock empties[] = {Bytes(""), Bytes("")};
  EXPECT_TRUE(WriteBytesToFile(Path("none"), empties, 2));
  EXPECT_TRUE(FileExists(Path("none")));
}

TEST_F(FilesTest, WriteFailsWithoutTouchingAnything) {
  EXPECT_FALSE(WriteBytesToFile("", Bytes("x")));
  EXPECT_FALSE(WriteBytesToFile(Path("missing\\file"), Bytes("x")));
  EXPECT_FALSE(FileExists(Path("missing"))) << "no folder is created on the way";

  // Another handle holding the file without delete sharing, even for
  // reading only, and for writing without any sharing (as a running copy of
  // a program does): the file is not replaced.
  ASSERT_TRUE(WriteWholeFile(Path("held"), "keep"));
  for (DWORD access : {DWORD(GENERIC_READ), DWORD(GENERIC_WRITE)}) {
    HANDLE holder = CreateFileW(WideOf(Path("held")).c_str(), access,
                                access == GENERIC_READ ? FILE_SHARE_READ : 0, nullptr,
                                OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(holder, INVALID_HANDLE_VALUE);
    EXPECT_FALSE(WriteBytesToFile(Path("held"), Bytes("new")));
    CloseHandle(holder);
    EXPECT_EQ(Content("held"), "keep");
  }
  // A folder of the target's name stays a folder.
  ASSERT_TRUE(CreateFolder(Path("folder")));
  EXPECT_FALSE(WriteBytesToFile(Path("folder"), Bytes("new")));
  EXPECT_NE(GetFileAttributesW(WideOf(Path("folder")).c_str()) & FILE_ATTRIBUTE_DIRECTORY, 0u);
  // Whatever failed, the writer's own file is gone again.
  EXPECT_EQ(Names(), (std::vector<std::string>{"folder", "held"}));
}

// A program that runs from the target: Windows does not let its file be
// replaced, and it stays whole.
TEST_F(FilesTest, ARunningProgramIsNotReplaced) {
  wchar_t self[MAX_PATH];
  ASSERT_GT(GetModuleFileNameW(nullptr, self, MAX_PATH), 0u);
  const std::string program = Path("running.exe");
  ASSERT_TRUE(CopyFileW(self, WideOf(program).c_str(), FALSE));
  const std::string before = Content("running.exe");
  // Started suspended: its file is mapped as a program's, and nothing of it
  // runs.
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  std::wstring command = L"\"" + WideOf(program) + L"\"";
  ASSERT_TRUE(CreateProcessW(nullptr, &command[0], nullptr, nullptr, FALSE, CREATE_SUSPENDED,
                             nullptr, nullptr, &startup, &process));
  EXPECT_FALSE(WriteBytesToFile(program, Bytes("new")));
  TerminateProcess(process.hProcess, 0);
  WaitForSingleObject(process.hProcess, INFINITE);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  EXPECT_TRUE(Content("running.exe") == before) << "the program's file changed";
  EXPECT_EQ(Names(), std::vector<std::string>{"running.exe"});
}

// The writer's temporary names beside a target, which the uninstaller
// removes: only files, only of exactly that form and target.
TEST_F(FilesTest, LeftoversAreFoundByTheirExactNames) {
  const std::string uninstaller = kUninstallerName;
  const std::string ours[] = {uninstaller + ".morvane-0000ABCD.tmp",
                              uninstaller + ".morvane-FFFFFFFF.tmp"};
  const std::string others[] = {uninstaller + ".morvane-ABC.tmp",
                                "Morvane.exe.morvane-01234567.tmp",
                                uninstaller + ".morvane-01234567.tmp.bak", uninstaller};
  for (const std::string& name : ours) ASSERT_TRUE(WriteWholeFile(Path(name.c_str()), "x"));
  for (const std::string& name : others) ASSERT_TRUE(WriteWholeFile(Path(name.c_str()), "x"));
  ASSERT_TRUE(CreateFolder(Path((uninstaller + ".morvane-89ABCDEF.tmp").c_str())));

  EXPECT_EQ(Leftovers(Path(uninstaller.c_str())),
            (std::vector<std::string>{Path(ours[0].c_str()), Path(ours[1].c_str())}));
  EXPECT_EQ(Leftovers(Path("nothing.exe")), std::vector<std::string>());
  EXPECT_EQ(Leftovers(Path("missing\\Morvane.exe")), std::vector<std::string>());
  // A successful write leaves none of its own.
  ASSERT_TRUE(WriteBytesToFile(Path("written.exe"), Bytes("new")));
  EXPECT_EQ(Leftovers(Path("written.exe")), std::vector<std::string>());
}

TEST_F(FilesTest, CreateFolderMakesOneNewLevelOnly) {
  EXPECT_TRUE(CreateFolder(Path("a")));
  ASSERT_TRUE(WriteWholeFile(Path("a\\inside"), "x"));
  EXPECT_FALSE(CreateFolder(Path("a"))) << "an existing folder";
  EXPECT_EQ(Content("a\\inside"), "x");

  EXPECT_FALSE(CreateFolder(Path("b\\c"))) << "a missing parent";
  EXPECT_FALSE(FileExists(Path("b")));
  EXPECT_FALSE(FileExists(Path("b\\c")));
}

TEST_F(FilesTest, FileExistsFollowsTheWindowsSearch) {
  ASSERT_TRUE(CreateFolder(Path("dir")));
  EXPECT_TRUE(FileExists(Path("dir")));
  EXPECT_FALSE(FileExists(Path("dir\\"))) << "a trailing backslash is no pattern";
  EXPECT_FALSE(FileExists("C:\\"));

  EXPECT_FALSE(FileExists(Path("dir\\*.exe")));
  ASSERT_TRUE(WriteWholeFile(Path("dir\\setup.exe"), "MZ"));
  ASSERT_TRUE(WriteWholeFile(Path("dir\\notes.txt"), "n"));
  EXPECT_TRUE(FileExists(Path("dir\\*.exe")));
  EXPECT_TRUE(FileExists(Path("dir\\s?tup.exe")));
  EXPECT_FALSE(FileExists(Path("dir\\*.dll")));
  EXPECT_FALSE(FileExists(Path("nowhere\\*.exe")));
}

// ---- A disk that fills up (a run of its own, on a small disk)

constexpr uint64_t kPage = 4096;
const char kSmallDisk[] = "C:\\small disk";

// The free bytes of the small disk; 0 where there is none.
uint64_t SmallDiskFree() {
  ULARGE_INTEGER free{}, total{};
  if (!GetDiskFreeSpaceExW(WideOf(kSmallDisk).c_str(), &free, &total, nullptr) ||
      total.QuadPart > (64u << 20))
    return 0;
  return free.QuadPart;
}

class FullDisk : public testing::Test {
 protected:
  void SetUp() override {
    if (SmallDiskFree() == 0) GTEST_SKIP() << "no small disk at " << kSmallDisk;
  }
  void TearDown() override {
    for (const std::string& name : NamesIn(kSmallDisk))
      DeleteFileW(WideOf(std::string(kSmallDisk) + "\\" + name).c_str());
  }
  static std::string Path(const char* name) { return std::string(kSmallDisk) + "\\" + name; }
  // Fills the disk until `room` bytes are left.
  static void LeaveRoom(uint64_t room) {
    const uint64_t free = SmallDiskFree();
    ASSERT_GE(free, room);
    ASSERT_TRUE(WriteWholeFile(Path("filler"), std::string(free - room, 'f')));
    ASSERT_EQ(SmallDiskFree(), room);
  }
};

// A new file that does not fit: the earlier one stays byte for byte, and the
// writer's own file goes again; one that fits, in the room left, replaces it.
TEST_F(FullDisk, WhatDoesNotFitLeavesTheEarlierFile) {
  const std::string earlier(kPage, 'e');
  ASSERT_TRUE(WriteWholeFile(Path("target"), earlier));
  ASSERT_NO_FATAL_FAILURE(LeaveRoom(2 * kPage));
  const std::string larger(3 * kPage, 'n');
  EXPECT_FALSE(WriteBytesToFile(Path("target"), Bytes(larger.c_str())));
  std::string content;
  ASSERT_TRUE(ReadWholeFile(Path("target"), &content));
  EXPECT_TRUE(content == earlier) << "the target is now " << content.size() << " bytes";
  std::vector<std::string> names = NamesIn(kSmallDisk);
  std::sort(names.begin(), names.end());
  EXPECT_EQ(names, (std::vector<std::string>{"filler", "target"}));

  const std::string fits(2 * kPage, 'n');
  EXPECT_TRUE(WriteBytesToFile(Path("target"), Bytes(fits.c_str())));
  ASSERT_TRUE(ReadWholeFile(Path("target"), &content));
  EXPECT_TRUE(content == fits);
}

}  // namespace
