// GetSpecialFolder and CreateShortcut against Wine's shell.
#include "services/shell.h"

#include <windows.h>
#include <shlobj.h>
#include <shobjidl.h>

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "services/files.h"
#include "support/test_support.h"

namespace {

// Moves one of the user's shell folders (by its value name under the
// Explorer keys, "Desktop", "Programs") to `path` for the life of the object,
// as a profile elsewhere would have it: the folder is created, both the
// per-user setting and the shell's cached path point at it.
class MovedShellFolder {
 public:
  MovedShellFolder(const char* valueName, const std::string& path) : valueName_(valueName) {
    SHCreateDirectoryExA(nullptr, path.c_str(), nullptr);
    for (int i = 0; i < 2; ++i) {
      old_[i].present = Read(kKeys[i], &old_[i].type, &old_[i].data);
      Write(kKeys[i], kTypes[i], path);
    }
  }
  ~MovedShellFolder() {
    for (int i = 0; i < 2; ++i) {
      if (old_[i].present) {
        Write(kKeys[i], old_[i].type, old_[i].data);
      } else {
        HKEY key;
        if (RegOpenKeyExA(HKEY_CURRENT_USER, kKeys[i], 0, KEY_SET_VALUE, &key) == ERROR_SUCCESS) {
          RegDeleteValueA(key, valueName_);
          RegCloseKey(key);
        }
      }
    }
  }
  MovedShellFolder(const MovedShellFolder&) = delete;
  MovedShellFolder& operator=(const MovedShellFolder&) = delete;

 private:
  static constexpr const char* kKeys[2] = {
      "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\User Shell Folders",
      "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders"};
  static constexpr DWORD kTypes[2] = {REG_EXPAND_SZ, REG_SZ};
  struct Saved {
    bool present = false;
    DWORD type = REG_SZ;
    std::string data;
  };

  bool Read(const char* keyPath, DWORD* type, std::string* data) const {
    char buffer[1024];
    DWORD size = sizeof buffer;
    HKEY key;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, keyPath, 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS)
      return false;
    const bool read = RegQueryValueExA(key, valueName_, nullptr, type,
                                       reinterpret_cast<BYTE*>(buffer), &size) == ERROR_SUCCESS;
    RegCloseKey(key);
    if (read) data->assign(buffer, strnlen(buffer, size));
    return read;
  }
  void Write(const char* keyPath, DWORD type, const std::string& data) const {
    HKEY key;
    ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, keyPath, 0, nullptr, 0, KEY_SET_VALUE, nullptr,
                              &key, nullptr),
              ERROR_SUCCESS);
    EXPECT_EQ(RegSetValueExA(key, valueName_, 0, type, reinterpret_cast<const BYTE*>(data.c_str()),
                             DWORD(data.size() + 1)),
              ERROR_SUCCESS);
    RegCloseKey(key);
  }

  const char* valueName_;
  Saved old_[2];
};

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

TEST_F(ShortcutTest, LnkIsAddedWhenTheFileNameHasNoDot) {
  ASSERT_TRUE(CreateFolder(folder_ + "\\My.Links"));
  const std::string target = "C:\\windows\\notepad.exe";
  // "\x81\x5C" is one character (U+4E57) whose second byte is a backslash:
  // the last backslash of "Ver1.<it>x" is inside the character, and the file
  // name is the whole of it, dot included.
  const std::string trailBackslash = "Ver1.\x81\x5Cx";
  struct Case {
    std::string name;
    std::string savedAs;
  } const cases[] = {
      {"App", "App.lnk"},
      {"Named.lnk", "Named.lnk"},
      {"Notes.txt", "Notes.txt"},
      {"My.Links\\App", "My.Links\\App.lnk"},
      {trailBackslash, trailBackslash},
  };
  for (const Case& c : cases) {
    const std::string name = folder_ + "\\" + c.name;
    EXPECT_TRUE(CreateShortcut(name, target)) << c.name;
    EXPECT_TRUE(FileExists(folder_ + "\\" + c.savedAs)) << c.name;
    if (c.savedAs != c.name) {
      EXPECT_FALSE(FileExists(name)) << c.name;
    } else {
      EXPECT_FALSE(FileExists(name + ".lnk")) << c.name;
    }
  }
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

// A profile folder with a dot in its name, C:\users\first.last, holding the
// desktop and the Start-menu programs: the installer's shortcuts there are
// still .lnk files, not files without an extension that the shell would not
// show as shortcuts.
TEST(ShortcutsInShellFolders, ADotInTheProfileFolderKeepsTheLnkExtension) {
  const std::string profile = "C:\\users\\first.last";
  MovedShellFolder desktop("Desktop", profile + "\\Desktop");
  MovedShellFolder programs("Programs", profile + "\\Start Menu\\Programs");
  ASSERT_EQ(GetSpecialFolder(kFolderDesktop), profile + "\\Desktop\\");
  ASSERT_EQ(GetSpecialFolder(kFolderPrograms), profile + "\\Start Menu\\Programs\\");

  // The installer's names: the desktop shortcut, the program group and its two
  // shortcuts.
  const std::string group = GetSpecialFolder(kFolderPrograms) + "tervilo";
  ASSERT_TRUE(CreateFolder(group));
  const std::string target = "C:\\Program Files\\zorva\\Morvane.exe";
  for (const std::string& name : {GetSpecialFolder(kFolderDesktop) + "Morvane", group + "\\Morvane",
                                  group + "\\" + Gbk("卸载Morvane")}) {
    EXPECT_TRUE(CreateShortcut(name, target)) << name;
    EXPECT_TRUE(FileExists(name + ".lnk")) << name;
    EXPECT_FALSE(FileExists(name)) << name;
  }
}

}  // namespace
