// The temporary names of the file writer: what it makes, and which names
// the uninstaller takes for its leftovers (only exactly those).
#include "services/temporary_file_name.h"

#include <gtest/gtest.h>

#include "tests/host/gbk.h"
#include "texts/installation.h"

namespace {

const Text kUninstaller = kUninstallerName;

TEST(TemporaryFileName, BesideTheTargetWithEightHexDigits) {
  EXPECT_EQ(TemporaryFileName("C:\\a\\Morvane.exe", 0x0123ABCDu),
            "C:\\a\\Morvane.exe.morvane-0123ABCD.tmp");
  EXPECT_EQ(TemporaryFileName("x", 0), "x.morvane-00000000.tmp");
  EXPECT_EQ(TemporaryFileName("x", 0xFFFFFFFFu), "x.morvane-FFFFFFFF.tmp");
  EXPECT_EQ(TemporaryFilePattern("C:\\a\\Morvane.exe"), "C:\\a\\Morvane.exe.morvane-*.tmp");
}

TEST(TemporaryFileName, OnlyTheWritersOwnNamesAreLeftovers) {
  const struct {
    Text name;
    Text target;
    bool leftover;
  } cases[] = {
      {"Morvane.exe.morvane-0123ABCD.tmp", "Morvane.exe", true},
      {kUninstaller + ".morvane-FFFFFFFF.tmp", kUninstaller, true},
      {"Morvane.exe.morvane-0123ABC.tmp", "Morvane.exe", false},    // seven digits
      {"Morvane.exe.morvane-0123ABCDE.tmp", "Morvane.exe", false},  // nine
      {"Morvane.exe.morvane-0123ABCG.tmp", "Morvane.exe", false},   // no hex digit
      {"Morvane.exe.morvane-0123abcd.tmp", "Morvane.exe", false},   // never written so
      {"Morvane.exe.morvane-0123ABCD.tmp.old", "Morvane.exe", false},
      {"Morvane.exe.morvane-0123ABCD.tm", "Morvane.exe", false},
      {"xMorvane.exe.morvane-0123ABCD.tmp", "Morvane.exe", false},  // another file's
      {"Morvane.exe.morvane-0123ABCD.tmp", kUninstaller, false},
      {"Morvane.exe.other-0123ABCD.tmp", "Morvane.exe", false},
      {"Morvane.exe", "Morvane.exe", false},
      {".morvane-0123ABCD.tmp", "", false},
  };
  for (const auto& c : cases)
    EXPECT_EQ(IsTemporaryFileOf(c.name, c.target), c.leftover) << c.name << " of " << c.target;
  // What the writer makes is always one.
  for (uint32_t unique : {0u, 1u, 0x89ABCDEFu, 0xFFFFFFFFu})
    EXPECT_TRUE(IsTemporaryFileOf(TemporaryFileName(kUninstaller, unique), kUninstaller));
}

TEST(TemporaryFileName, FileNameOfAPath) {
  EXPECT_EQ(FileNameOf("C:\\Program Files\\zorva\\Morvane.exe"), "Morvane.exe");
  EXPECT_EQ(FileNameOf("Morvane.exe"), "Morvane.exe");
  EXPECT_EQ(FileNameOf("C:\\folder\\"), "");
  // 0x5C as the second byte of a character (謀, D6 5C) is no backslash.
  EXPECT_EQ(FileNameOf(Gbk("C:\\a\\謀.exe")), Gbk("謀.exe"));
}

}  // namespace
