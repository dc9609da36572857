// WriteBytesToFile, CreateFolder and FileExists against the real file system.
#include "services/files.h"

#include <windows.h>

#include <gtest/gtest.h>

#include "support/test_support.h"

namespace {

ByteBlock Bytes(const char* s) {
  return {reinterpret_cast<const uint8_t*>(s), uint32_t(strlen(s))};
}

class FilesTest : public testing::Test {
 protected:
  void SetUp() override { folder_ = MakeScratchFolder("files"); }
  void TearDown() override { RemoveTree(folder_); }
  std::string Path(const char* name) const { return folder_ + "\\" + name; }
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

  // Another handle holding the file, even for reading only, makes the open
  // fail: the writer asks for share mode 0.
  ASSERT_TRUE(WriteWholeFile(Path("held"), "keep"));
  HANDLE holder = CreateFileA(Path("held").c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                              OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(holder, INVALID_HANDLE_VALUE);
  EXPECT_FALSE(WriteBytesToFile(Path("held"), Bytes("new")));
  CloseHandle(holder);
  EXPECT_EQ(Content("held"), "keep");
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

}  // namespace
