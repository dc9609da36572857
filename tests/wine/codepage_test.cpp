// The test bed itself: Wine runs with the ANSI code page 936, and a
// code-page-936 file name survives the trip through the file system.
#include <windows.h>

#include <gtest/gtest.h>

#include "support/test_support.h"

TEST(TestBed, AnsiCodePageIs936) {
  EXPECT_EQ(GetACP(), 936u);
}

TEST(TestBed, Cp936FileNameComesBackByteIdentical) {
  std::string folder = MakeScratchFolder("codepage");
  // "卸载Morvane" and a character whose trail byte is 0x5C, the byte of a
  // backslash, which a byte-wise path split would cut.
  const std::string name = Gbk("卸载Morvane") + "\x98\x5C" + ".exe";
  ASSERT_EQ(name.substr(0, 4), "\xD0\xB6\xD4\xD8");
  ASSERT_TRUE(WriteWholeFile(folder + "\\" + name, "x"));

  WIN32_FIND_DATAA found;
  HANDLE search = FindFirstFileA((folder + "\\*.exe").c_str(), &found);
  ASSERT_NE(search, INVALID_HANDLE_VALUE);
  FindClose(search);
  EXPECT_EQ(std::string(found.cFileName), name);
  RemoveTree(folder);
}
