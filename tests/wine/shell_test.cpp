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
#include "texts/installation.h"

namespace {

// Moves one of the user's shell folders (by its value name under the
// Explorer keys, "Desktop", "Programs") to `path` for the life of the object,
// as a profile elsewhere would have it: the folder is created, both the
// per-user setting and the shell's cached path point at it. Wide throughout:
// the profile's name need not fit code page 936.
class MovedShellFolder {
 public:
  MovedShellFolder(const wchar_t* valueName, const std::wstring& path) : valueName_(valueName) {
    SHCreateDirectoryExW(nullptr, path.c_str(), nullptr);
    for (int i = 0; i < 2; ++i) {
      old_[i].present = Read(kKeys[i], &old_[i].type, &old_[i].data);
      Write(kKeys[i], kTypes[i], path);
    }
  }
  MovedShellFolder(const wchar_t* valueName, const std::string& path)
      : MovedShellFolder(valueName, WideOf(path)) {}
  ~MovedShellFolder() {
    for (int i = 0; i < 2; ++i) {
      if (old_[i].present) {
        Write(kKeys[i], old_[i].type, old_[i].data);
      } else {
        HKEY key;
        if (RegOpenKeyExW(HKEY_CURRENT_USER, kKeys[i], 0, KEY_SET_VALUE, &key) == ERROR_SUCCESS) {
          RegDeleteValueW(key, valueName_);
          RegCloseKey(key);
        }
      }
    }
  }
  MovedShellFolder(const MovedShellFolder&) = delete;
  MovedShellFolder& operator=(const MovedShellFolder&) = delete;

 private:
  static constexpr const wchar_t* kKeys[2] = {
      L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\User Shell Folders",
      L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders"};
  static constexpr DWORD kTypes[2] = {REG_EXPAND_SZ, REG_SZ};
  struct Saved {
    bool present = false;
    DWORD type = REG_SZ;
    std::wstring data;
  };

  bool Read(const wchar_t* keyPath, DWORD* type, std::wstring* data) const {
    wchar_t buffer[1024];
    DWORD size = sizeof buffer;
    HKEY key;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, keyPath, 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS)
      return false;
    const bool read = RegQueryValueExW(key, valueName_, nullptr, type,
                                       reinterpret_cast<BYTE*>(buffer), &size) == ERROR_SUCCESS;
    RegCloseKey(key);
    if (read) data->assign(buffer, wcsnlen(buffer, size / sizeof(wchar_t)));
    return read;
  }
  void Write(const wchar_t* keyPath, DWORD type, const std::wstring& data) const {
    HKEY key;
    ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, keyPath, 0, nullptr, 0, KEY_SET_VALUE, nullptr,
                              &key, nullptr),
              ERROR_SUCCESS);
    EXPECT_EQ(RegSetValueExW(key, valueName_, 0, type, reinterpret_cast<const BYTE*>(data.c_str()),
                             DWORD((data.size() + 1) * sizeof(wchar_t))),
              ERROR_SUCCESS);
    RegCloseKey(key);
  }

  const wchar_t* valueName_;
  Saved old_[2];
};

std::wstring Units(const WidePath& path) { return path.c_str(); }

bool EndsInOneBackslash(const std::wstring& path) {
  return path.size() >= 2 && path.back() == L'\\' && path[path.size() - 2] != L'\\';
}

TEST(GetSpecialFolder, EndsInExactlyOneBackslash) {
  wchar_t system[MAX_PATH];
  GetSystemDirectoryW(system, MAX_PATH);
  EXPECT_EQ(Units(GetSpecialFolder(kFolderSystem)), std::wstring(system) + L"\\");

  // GetTempPath already ends in a backslash; no second one is added.
  wchar_t temp[MAX_PATH];
  GetTempPathW(MAX_PATH, temp);
  EXPECT_EQ(Units(GetSpecialFolder(kFolderTemp)), temp);

  for (int code = kFolderDocuments; code <= kFolderTemp; ++code) {
    const std::wstring path = Units(GetSpecialFolder(code));
    if (!path.empty()) {
      EXPECT_TRUE(EndsInOneBackslash(path)) << code << ": " << Cp936Of(path);
    }
  }
  EXPECT_FALSE(GetSpecialFolder(kFolderDesktop).Empty());
  EXPECT_FALSE(GetSpecialFolder(kFolderPrograms).Empty());
}

TEST(GetSpecialFolder, UnknownCodesGiveTheEmptyPath) {
  for (int code : {0, 12, -1, 0x10, 1000}) EXPECT_TRUE(GetSpecialFolder(code).Empty()) << code;
}

// Profiles whose names code page 936 cannot write (Polish, Vietnamese,
// Korean) or writes only as an approximation ("Guðrún Þór" best-fits to
// "Guerún Tór", another user's valid name): the folder comes as Windows
// names it, a shortcut made in it lands there, and none in the profile of
// the approximated name, which exists here as a decoy.
TEST(GetSpecialFolder, AProfileNameCodePage936CannotWriteStaysWhole) {
  const std::wstring decoy = L"C:\\users\\Guer\x00FAn T\x00F3r\\Desktop";
  ASSERT_EQ(SHCreateDirectoryExW(nullptr, decoy.c_str(), nullptr), ERROR_SUCCESS);
  const std::wstring target = L"C:\\Program Files\\zorva\\Morvane.exe";
  for (const std::wstring& profile : {std::wstring(L"C:\\users\\Łukasz Nguyễn 김철수"),
                                      std::wstring(L"C:\\users\\Gu\x00F0r\x00FAn \x00DE\x00F3r"),
                                      std::wstring(L"C:\\users\\Fran\x00E7ois S\x00F8ren")}) {
    const std::wstring desktop = profile + L"\\Desktop";
    MovedShellFolder moved(L"Desktop", desktop);
    const WidePath folder = GetSpecialFolder(kFolderDesktop);
    ASSERT_EQ(Units(folder), desktop + L"\\") << Cp936Of(profile);
    Text text;
    EXPECT_FALSE(TextOfPath(folder, &text)) << "an exact text of " << text;

    ASSERT_TRUE(CreateShortcut(folder + "Morvane", WidePath::OfUnits(target.c_str())));
    EXPECT_NE(GetFileAttributesW((desktop + L"\\Morvane.lnk").c_str()), INVALID_FILE_ATTRIBUTES)
        << Cp936Of(profile);
    WidePath leadsTo;
    EXPECT_TRUE(ReadShortcutTarget(folder + "Morvane.lnk", &leadsTo));
    EXPECT_EQ(Units(leadsTo), target);
  }
  EXPECT_EQ(GetFileAttributesW((decoy + L"\\Morvane.lnk").c_str()), INVALID_FILE_ATTRIBUTES)
      << "a shortcut in the approximated profile";
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
  // 乗 (81 5C, U+4E57) is one character whose second byte is a backslash:
  // the last backslash of "Ver1.<it>x" is inside the character, and the file
  // name is the whole of it, dot included.
  const std::string trailBackslash = Gbk("Ver1.乗x");
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
  const std::string name = folder_ + "\\" + kUninstallShortcutName;
  const std::string target = std::string("C:\\Program Files\\zorva\\") + kUninstallerName;
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
  MovedShellFolder desktop(L"Desktop", profile + "\\Desktop");
  MovedShellFolder programs(L"Programs", profile + "\\Start Menu\\Programs");
  ASSERT_EQ(Units(GetSpecialFolder(kFolderDesktop)), WideOf(profile + "\\Desktop\\"));
  ASSERT_EQ(Units(GetSpecialFolder(kFolderPrograms)), WideOf(profile + "\\Start Menu\\Programs\\"));

  // The installer's names: the desktop shortcut, the program group and its two
  // shortcuts.
  const WidePath group = GetSpecialFolder(kFolderPrograms) + "tervilo";
  ASSERT_TRUE(CreateFolder(group));
  const std::string target = "C:\\Program Files\\zorva\\Morvane.exe";
  for (const WidePath& name : {GetSpecialFolder(kFolderDesktop) + "Morvane", group + "\\Morvane",
                               group + "\\" + kUninstallShortcutName}) {
    EXPECT_TRUE(CreateShortcut(name, target)) << Cp936Of(name.c_str());
    EXPECT_TRUE(FileExists(name + ".lnk")) << Cp936Of(name.c_str());
    EXPECT_FALSE(FileExists(name)) << Cp936Of(name.c_str());
  }
}

}  // namespace
