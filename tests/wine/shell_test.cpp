// GetSpecialFolder and CreateShortcut against Wine's shell.
#include "services/shell.h"

#include <windows.h>
#include <shlobj.h>
#include <shobjidl.h>

#include <gtest/gtest.h>

#include "services/files.h"
#include "support/test_support.h"

namespace {

bool EndsInOneBackslash(const std::string& path) {
  return path.size() >= 2 && path.back() == '\\' && path[path.size() - 2] != '\\';
}

TEST(GetSpecialFolder, EndsInExactlyOneBackslash) {
  char system[MAX_PATH];
  GetSystemDirectoryA(system, MAX_PATH);
  EXPECT_EQ(GetSpecialFolder(kFolderSystem), std::string(system) + "\\");

  // GetTempPath already ends in a backslash; no second one is added.
  char temp[MAX_PATH];
  GetTempPathA(MAX_PATH, temp);
  EXPECT_EQ(GetSpecialFolder(kFolderTemp), temp);

  for (int code = kFolderDocuments; code <= kFolderTemp; ++code) {
    std::string path = GetSpecialFolder(code);
    if (!path.empty()) {
      EXPECT_TRUE(EndsInOneBackslash(path)) << code << ": " << path;
    }
  }
  EXPECT_FALSE(GetSpecialFolder(kFolderDesktop).empty());
  EXPECT_FALSE(GetSpecialFolder(kFolderPrograms).empty());
}

TEST(GetSpecialFolder, UnknownCodesGiveTheEmptyText) {
  for (int code : {0, 12, -1, 0x10, 1000}) EXPECT_EQ(GetSpecialFolder(code), "") << code;
}

class ShortcutTest : public testing::Test {
 protected:
  void SetUp() override { folder_ = MakeScratchFolder("links"); }
  void TearDown() override { RemoveTree(folder_); }
  std::string folder_;
};

TEST_F(ShortcutTest, LnkIsAddedOnlyWhenTheLinkNameHasNoDot) {
  ASSERT_TRUE(CreateFolder(folder_ + "\\My.Links"));
  const std::string target = "C:\\windows\\notepad.exe";

  EXPECT_TRUE(CreateShortcut(folder_ + "\\App", target));
  EXPECT_TRUE(FileExists(folder_ + "\\App.lnk"));
  EXPECT_FALSE(FileExists(folder_ + "\\App"));

  EXPECT_TRUE(CreateShortcut(folder_ + "\\Named.lnk", target));
  EXPECT_TRUE(FileExists(folder_ + "\\Named.lnk"));
  EXPECT_FALSE(FileExists(folder_ + "\\Named.lnk.lnk"));

  // A dot in a folder name is no extension of the link (a profile folder
  // "first.last"); nor is a backslash that ends a two-byte character.
  EXPECT_TRUE(CreateShortcut(folder_ + "\\My.Links\\App", target));
  EXPECT_TRUE(FileExists(folder_ + "\\My.Links\\App.lnk"));
  EXPECT_FALSE(FileExists(folder_ + "\\My.Links\\App"));
  const std::string dottedName = folder_ + "\\My.Links\\a." + Gbk("乗") + "b";  // 0x81 0x5C
  EXPECT_TRUE(CreateShortcut(dottedName, target));
  EXPECT_TRUE(FileExists(dottedName));
  EXPECT_FALSE(FileExists(dottedName + ".lnk"));
}

TEST_F(ShortcutTest, MissingFolderAndOverlongNamesFail) {
  EXPECT_FALSE(CreateShortcut(folder_ + "\\missing\\App", "C:\\windows\\notepad.exe"));
  EXPECT_FALSE(FileExists(folder_ + "\\missing"));

  // 255 bytes without a dot leave no room for ".lnk" within MAX_PATH.
  std::string longName = folder_ + "\\" + std::string(300, 'a');
  EXPECT_FALSE(CreateShortcut(longName, "C:\\windows\\notepad.exe"));
}

TEST_F(ShortcutTest, SavedLinkHoldsTargetAndShowCommandOnly) {
  // A code-page-936 name: only the link name is converted to UTF-16.
  const std::string name = folder_ + "\\" + Gbk("卸载Morvane");
  const std::string target = "C:\\Program Files\\zorva\\" + Gbk("卸载Morvane") + ".exe";
  ASSERT_TRUE(CreateShortcut(name, target));

  IShellLinkA* link = nullptr;
  ASSERT_EQ(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                             reinterpret_cast<void**>(&link)),
            S_OK);
  IPersistFile* file = nullptr;
  ASSERT_EQ(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file)), S_OK);
  wchar_t wide[MAX_PATH];
  MultiByteToWideChar(CP_ACP, 0, (name + ".lnk").c_str(), -1, wide, MAX_PATH);
  ASSERT_EQ(file->Load(wide, STGM_READ), S_OK);

  char text[MAX_PATH * 2];
  ASSERT_EQ(link->GetPath(text, sizeof(text), nullptr, SLGP_RAWPATH), S_OK);
  EXPECT_EQ(std::string(text), target);
  text[0] = 'x';
  link->GetArguments(text, sizeof(text));
  EXPECT_STREQ(text, "");
  text[0] = 'x';
  link->GetDescription(text, sizeof(text));
  EXPECT_STREQ(text, "");
  text[0] = 'x';
  link->GetWorkingDirectory(text, sizeof(text));
  EXPECT_STREQ(text, "");
  file->Release();
  link->Release();

  // Wine's link object reads the show command back as SW_SHOWNORMAL whatever
  // the file holds, so the saved field itself is checked: the link header
  // keeps it as a 32-bit value at offset 0x3C.
  std::string bytes;
  ASSERT_TRUE(ReadWholeFile(name + ".lnk", &bytes));
  ASSERT_GE(bytes.size(), 0x4Cu);
  uint32_t show;
  memcpy(&show, bytes.data() + 0x3C, 4);
  EXPECT_EQ(show, uint32_t(SW_SHOW));
}

}  // namespace
