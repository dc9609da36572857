// The shell registration of an installation on a fresh prefix, read back
// through the registry API and the shell-link object.
#include "installer/registration.h"

#include <windows.h>
#include <shellapi.h>
#include <shlobj.h>
#include <shobjidl.h>

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "frame/external_functions.h"
#include "installer/installation_layout.h"
#include "installer/machine_folders.h"
#include "installer/payload.h"
#include "services/files.h"
#include "services/handles.h"
#include "services/registry_item.h"
#include "services/shell.h"
#include "support/registry_probe.h"
#include "support/test_support.h"
#include "texts/installation.h"

namespace {

const std::string kMainProgramPath = PathOf(kMainProgram.path, MachineFolders());
const std::string kUninstallerPath = PathOf(kUninstaller.path, MachineFolders());
const char kUninstallKey[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Morvane";
const char kOpenCommand[] = "\"C:\\Program Files\\zorva\\Morvane.exe\" \"%1\"";
const char kShellFolders[] =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\User Shell Folders";

struct Notification {
  LONG event;
  UINT flags;
  LPCVOID item1;
  LPCVOID item2;
};
std::vector<Notification> g_notifications;

void WINAPI CountingNotify(LONG event, UINT flags, LPCVOID item1, LPCVOID item2) {
  g_notifications.push_back({event, flags, item1, item2});
}

std::string Lower(std::string text) {
  for (char& c : text)
    if (c >= 'A' && c <= 'Z') c = char(c + 32);
  return text;
}

// A string value as stored, without its terminating NUL; "<none>" when the
// value is missing and "<not REG_SZ>" or "<no NUL>" when it is malformed.
std::string StringValue(HKEY root, const std::string& keyPath, const char* name) {
  DWORD type = 0;
  std::string data;
  if (!ReadValue(root, keyPath, name, &type, &data)) return "<none>";
  if (type != REG_SZ) return "<not REG_SZ>";
  if (data.empty() || data.back() != '\0') return "<no NUL>";
  data.pop_back();
  return data;
}

void SetString(HKEY root, const std::string& keyPath, const char* name, const std::string& text) {
  ASSERT_EQ(
      RegSetKeyValueA(root, keyPath.c_str(), name, REG_SZ, text.c_str(), DWORD(text.size() + 1)),
      ERROR_SUCCESS);
}

std::string Folder(int csidl) {
  char path[MAX_PATH] = {};
  SHGetSpecialFolderPathA(nullptr, path, csidl, FALSE);
  return path;
}

// The raw target path of a saved shell link, or "<unreadable>".
std::string LinkTarget(const std::string& linkFile) {
  ComPtr<IShellLinkA> link;
  if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                              link.Receive())))
    return "<unreadable>";
  ComPtr<IPersistFile> file;
  if (FAILED(link->QueryInterface(IID_IPersistFile, file.Receive()))) return "<unreadable>";
  wchar_t wide[MAX_PATH];
  MultiByteToWideChar(CP_ACP, 0, linkFile.c_str(), -1, wide, MAX_PATH);
  if (FAILED(file->Load(wide, STGM_READ))) return "<unreadable>";
  char target[MAX_PATH * 2] = {};
  if (link->GetPath(target, sizeof(target), nullptr, SLGP_RAWPATH) != S_OK) return "<unreadable>";
  return target;
}

class RegistrationTest : public testing::Test {
 protected:
  void SetUp() override {
    for (const char* key : {".zorva", "zorvafile", "*\\shell\\Morvane", "Directory\\shell\\Morvane",
                            "*\\shell\\Mor", "Directory\\shell\\Mor"})
      RegDeleteTreeA(HKEY_CLASSES_ROOT, key);
    RegDeleteTreeW(HKEY_CLASSES_ROOT, L"*\\shell\\\u4E57x");
    RegDeleteTreeA(HKEY_LOCAL_MACHINE, kUninstallKey);
    desktopLink_ = Folder(CSIDL_DESKTOPDIRECTORY) + "\\Morvane.lnk";
    group_ = Folder(CSIDL_PROGRAMS) + "\\tervilo";
    DeleteFileA(desktopLink_.c_str());
    RemoveTree(group_);
    g_notifications.clear();
    OverrideExternalFunction(
        ExternalFunction::SHChangeNotify,
        reinterpret_cast<FARPROC>(reinterpret_cast<void (*)()>(&CountingNotify)));
  }
  void TearDown() override {
    FreeExternalFunctions();
    RegDeleteTreeA(HKEY_CLASSES_ROOT, "zorvafile");  // may be volatile
  }

  std::string desktopLink_;
  std::string group_;
};

TEST_F(RegistrationTest, CleanMachineGetsEveryRowShortcutAndOneNotification) {
  ASSERT_TRUE(RegisterInstallation());

  // Every value of the table, as this machine makes it.
  const MachineFolders machine = FolderTextsOf(ReadMachinePaths());
  for (size_t row = 0; row < kRegistryValues.count; ++row) {
    const RegistryValueItem& item = kRegistryValues.entries[row];
    const ResolvedValue value = Resolve(item, machine);
    const HKEY root = item.key->root == kClassesRoot ? HKEY_CLASSES_ROOT : HKEY_LOCAL_MACHINE;
    EXPECT_EQ(StringValue(root, value.valueKey, item.name), value.data)
        << "row " << row + 1 << ": " << value.valueKey << " " << item.name;
  }
  // Where this machine comes in, and what the commands start.
  const std::string uninstaller = std::string("C:\\Program Files\\zorva\\") + kUninstallerName;
  EXPECT_EQ(StringValue(HKEY_CLASSES_ROOT, "zorvafile\\DefaultIcon", ""),
            Cp936Of(PathOnMachine(kProductIcon.path).c_str()) + ",0");
  for (const char* key : {"zorvafile\\shell\\open\\command", "*\\shell\\Morvane\\command",
                          "Directory\\shell\\Morvane\\command"})
    EXPECT_EQ(StringValue(HKEY_CLASSES_ROOT, key, ""), kOpenCommand) << key;
  EXPECT_EQ(StringValue(HKEY_LOCAL_MACHINE, kUninstallKey, "UninstallString"),
            "\"" + uninstaller + "\"");
  EXPECT_EQ(StringValue(HKEY_LOCAL_MACHINE, kUninstallKey, "URLInfoAbout"), kHomePage);
  EXPECT_EQ(std::string(kHomePage).rfind("https://", 0), 0u) << kHomePage;

  // The verb keys have no text of their own: the shell shows the key name.
  EXPECT_EQ(StringValue(HKEY_CLASSES_ROOT, "*\\shell\\Morvane", ""), "<none>");
  EXPECT_EQ(StringValue(HKEY_CLASSES_ROOT, "Directory\\shell\\Morvane", ""), "<none>");

  ASSERT_EQ(g_notifications.size(), 1u);
  EXPECT_EQ(g_notifications[0].event, LONG(SHCNE_ASSOCCHANGED));
  EXPECT_EQ(g_notifications[0].flags, UINT(SHCNF_IDLIST));
  EXPECT_EQ(g_notifications[0].item1, nullptr);
  EXPECT_EQ(g_notifications[0].item2, nullptr);

  EXPECT_EQ(LinkTarget(desktopLink_), kMainProgramPath);
  EXPECT_EQ(LinkTarget(group_ + "\\Morvane.lnk"), kMainProgramPath);
  EXPECT_EQ(LinkTarget(group_ + "\\" + kUninstallShortcutName + ".lnk"), uninstaller);
}

TEST_F(RegistrationTest, EarlierInstallationKeepsItsVerbsAndGetsTheRestRewritten) {
  // What an earlier, different installation left behind.
  SetString(HKEY_CLASSES_ROOT, "*\\shell\\Morvane\\command", nullptr, "C:\\Old\\old.exe %1");
  SetString(HKEY_CLASSES_ROOT, "Directory\\shell\\Morvane\\command", nullptr, "");
  SetString(HKEY_CLASSES_ROOT, ".zorva", nullptr, "oldclass");
  SetString(HKEY_CLASSES_ROOT, "zorvafile\\shell\\open\\command", nullptr, "C:\\Old\\old.exe %1");
  SetString(HKEY_LOCAL_MACHINE, kUninstallKey, "DisplayVersion", "1.2");
  SetString(HKEY_LOCAL_MACHINE, kUninstallKey, "UninstallString", "C:\\Old\\uninstall.exe");

  ASSERT_TRUE(RegisterInstallation());

  EXPECT_EQ(StringValue(HKEY_CLASSES_ROOT, "*\\shell\\Morvane\\command", ""),
            "C:\\Old\\old.exe %1");
  // Even an empty command counts as present.
  EXPECT_EQ(StringValue(HKEY_CLASSES_ROOT, "Directory\\shell\\Morvane\\command", ""), "");
  EXPECT_EQ(StringValue(HKEY_CLASSES_ROOT, ".zorva", ""), "zorvafile");
  EXPECT_EQ(StringValue(HKEY_CLASSES_ROOT, "zorvafile\\shell\\open\\command", ""), kOpenCommand);
  EXPECT_EQ(StringValue(HKEY_LOCAL_MACHINE, kUninstallKey, "DisplayVersion"), "1.3");
  EXPECT_EQ(StringValue(HKEY_LOCAL_MACHINE, kUninstallKey, "UninstallString"),
            std::string("\"C:\\Program Files\\zorva\\") + kUninstallerName + "\"");
  EXPECT_EQ(g_notifications.size(), 1u);

  // Only the folder verb missing: only it is written.
  RegDeleteTreeA(HKEY_CLASSES_ROOT, "Directory\\shell\\Morvane");
  ASSERT_TRUE(RegisterInstallation());
  EXPECT_EQ(StringValue(HKEY_CLASSES_ROOT, "*\\shell\\Morvane\\command", ""),
            "C:\\Old\\old.exe %1");
  EXPECT_EQ(StringValue(HKEY_CLASSES_ROOT, "Directory\\shell\\Morvane\\command", ""), kOpenCommand);
}

TEST_F(RegistrationTest, FailingThirdClassWriteStopsEverythingAfterIt) {
  // A lasting DefaultIcon key cannot be made under a volatile class key.
  HKEY key;
  ASSERT_EQ(RegCreateKeyExA(HKEY_CLASSES_ROOT, "zorvafile", 0, nullptr, REG_OPTION_VOLATILE,
                            KEY_ALL_ACCESS, nullptr, &key, nullptr),
            ERROR_SUCCESS);
  RegCloseKey(key);

  EXPECT_FALSE(RegisterFileClass(kMainProgramPath, "zorva", "C:\\x\\zorva.ico"));
  EXPECT_EQ(StringValue(HKEY_CLASSES_ROOT, ".zorva", ""), "zorvafile");
  EXPECT_EQ(StringValue(HKEY_CLASSES_ROOT, "zorvafile", ""), kClassDisplayName);
  EXPECT_FALSE(KeyExists(HKEY_CLASSES_ROOT, "zorvafile\\DefaultIcon"));
  EXPECT_FALSE(KeyExists(HKEY_CLASSES_ROOT, "zorvafile\\shell"));
  EXPECT_EQ(StringValue(HKEY_CLASSES_ROOT, "zorvafile", "NeverShowExt"), "<none>");
  EXPECT_TRUE(g_notifications.empty());

  // The whole registration stops there: no verbs, shortcuts or uninstall entry.
  EXPECT_FALSE(RegisterInstallation());
  EXPECT_TRUE(g_notifications.empty());
  EXPECT_FALSE(KeyExists(HKEY_CLASSES_ROOT, "*\\shell\\Morvane"));
  EXPECT_FALSE(KeyExists(HKEY_CLASSES_ROOT, "Directory\\shell\\Morvane"));
  EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, kUninstallKey));
  EXPECT_EQ(GetFileAttributesA(desktopLink_.c_str()), INVALID_FILE_ATTRIBUTES);
  EXPECT_EQ(GetFileAttributesA(group_.c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST_F(RegistrationTest, VerbNamesWithABackslashWriteNothing) {
  EXPECT_FALSE(AddAllFilesVerb("Mor\\vane", kMainProgramPath));
  EXPECT_FALSE(AddFolderVerb("Mor\\vane", kMainProgramPath));
  EXPECT_FALSE(KeyExists(HKEY_CLASSES_ROOT, "*\\shell\\Mor"));
  EXPECT_FALSE(KeyExists(HKEY_CLASSES_ROOT, "Directory\\shell\\Mor"));

  // 乗 is 81 5C in code page 936: its second byte is no backslash, and the
  // key is named by the one character.
  EXPECT_TRUE(AddAllFilesVerb(Gbk("乗x"), kMainProgramPath));
  HKEY key;
  ASSERT_EQ(RegOpenKeyExW(HKEY_CLASSES_ROOT, L"*\\shell\\\u4E57x\\command", 0, KEY_READ, &key),
            ERROR_SUCCESS);
  RegCloseKey(key);
  EXPECT_EQ(StringValue(HKEY_CLASSES_ROOT, Gbk("*\\shell\\乗x\\command"), ""), kOpenCommand);
}

// Starts `commandLine` as the shell starts a registered command and returns
// the path of the program that Windows chose, or "<not started>".
std::string StartedProgram(const std::string& commandLine) {
  STARTUPINFOA startup = {};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION process = {};
  std::string line = commandLine;
  if (!CreateProcessA(nullptr, &line[0], nullptr, nullptr, FALSE, CREATE_SUSPENDED, nullptr,
                      nullptr, &startup, &process))
    return "<not started>";
  char image[MAX_PATH * 2] = {};
  DWORD size = sizeof(image);
  if (!QueryFullProcessImageNameA(process.hProcess, 0, image, &size)) strcpy(image, "<unknown>");
  ResumeThread(process.hThread);
  WaitForSingleObject(process.hProcess, 20000);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return image;
}

std::string WithArgument(std::string command, const std::string& argument) {
  size_t at = command.find("%1");
  if (at != std::string::npos) command.replace(at, 2, argument);
  return command;
}

TEST_F(RegistrationTest, RegisteredCommandsStartTheProductBesideAPlantedProgramExe) {
  PrepareFolder(kInstallationFolder);
  ASSERT_TRUE(WriteFileItem(kMainProgram));
  ASSERT_TRUE(WriteFileItem(kUninstaller));
  // Another program where an unquoted "C:\Program Files\..." is looked for first.
  ByteBlock other;
  ASSERT_TRUE(PayloadBytes(PayloadBlock::Uninstaller, &other));
  ASSERT_TRUE(WriteBytesToFile("C:\\Program.exe", other));
  const std::string log = MakeScratchFolder("commands");
  SetEnvironmentVariableA("MORVANE_STANDIN_LOG", log.c_str());
  SetEnvironmentVariableA("MORVANE_STANDIN_QUIT", "1");

  // The hazard is real here: an unquoted path starts the planted program.
  ASSERT_EQ(Lower(StartedProgram(kMainProgramPath + " x")), "c:\\program.exe");

  ASSERT_TRUE(RegisterInstallation());
  const std::string file = "C:\\some folder\\a file.zorva";
  for (const char* key : {"zorvafile\\shell\\open\\command", "*\\shell\\Morvane\\command",
                          "Directory\\shell\\Morvane\\command"}) {
    DeleteFileA((log + "\\standin.log").c_str());
    const std::string line = WithArgument(StringValue(HKEY_CLASSES_ROOT, key, ""), file);
    EXPECT_EQ(StartedProgram(line), kMainProgramPath) << key;
    // The file name arrives as one argument, blanks and all.
    std::string logged;
    ASSERT_TRUE(ReadWholeFile(log + "\\standin.log", &logged)) << key;
    wchar_t wide[1024];
    MultiByteToWideChar(CP_ACP, 0, logged.substr(0, logged.find("\r\n")).c_str(), -1, wide, 1024);
    int count = 0;
    LPWSTR* arguments = CommandLineToArgvW(wide, &count);
    ASSERT_NE(arguments, nullptr);
    EXPECT_EQ(count, 2) << key;
    if (count == 2) {
      EXPECT_STREQ(arguments[1], L"C:\\some folder\\a file.zorva") << key;
    }
    LocalFree(arguments);
  }
  EXPECT_EQ(StartedProgram(StringValue(HKEY_LOCAL_MACHINE, kUninstallKey, "UninstallString")),
            kUninstallerPath);

  SetEnvironmentVariableA("MORVANE_STANDIN_QUIT", nullptr);
  SetEnvironmentVariableA("MORVANE_STANDIN_LOG", nullptr);
  DeleteFileA("C:\\Program.exe");
  RemoveTree(log);
}

TEST_F(RegistrationTest, MissingSpecialFoldersLeaveTheCurrentFolderAlone) {
  // Point the programs and desktop folders at folders that do not exist, so
  // that the shell cannot name them.
  HKEY folders;
  ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, kShellFolders, 0, KEY_READ | KEY_WRITE, &folders),
            ERROR_SUCCESS);
  const char* names[] = {"Programs", "Desktop"};
  std::string saved[2];
  DWORD savedType[2] = {};
  for (int i = 0; i < 2; ++i) {
    char buffer[MAX_PATH * 2];
    DWORD size = sizeof(buffer);
    ASSERT_EQ(RegQueryValueExA(folders, names[i], nullptr, &savedType[i],
                               reinterpret_cast<BYTE*>(buffer), &size),
              ERROR_SUCCESS);
    saved[i].assign(buffer, size);
    const char missing[] = "C:\\morvane-missing\\folder";
    RegSetValueExA(folders, names[i], 0, REG_EXPAND_SZ, reinterpret_cast<const BYTE*>(missing),
                   sizeof(missing));
  }
  const bool unnamed =
      GetSpecialFolder(kFolderPrograms).Empty() && GetSpecialFolder(kFolderDesktop).Empty();

  const std::string here = MakeScratchFolder("current");
  char previous[MAX_PATH];
  GetCurrentDirectoryA(MAX_PATH, previous);
  SetCurrentDirectoryA(here.c_str());
  const bool registered = RegisterInstallation();
  SetCurrentDirectoryA(previous);

  for (int i = 0; i < 2; ++i)
    RegSetValueExA(folders, names[i], 0, savedType[i],
                   reinterpret_cast<const BYTE*>(saved[i].data()), DWORD(saved[i].size()));
  RegCloseKey(folders);

  ASSERT_TRUE(unnamed) << "the shell still names the folders";
  EXPECT_TRUE(registered);
  WIN32_FIND_DATAA found;
  HANDLE search = FindFirstFileA((here + "\\*").c_str(), &found);
  std::vector<std::string> entries;
  if (search != INVALID_HANDLE_VALUE) {
    do {
      if (strcmp(found.cFileName, ".") && strcmp(found.cFileName, ".."))
        entries.push_back(found.cFileName);
    } while (FindNextFileA(search, &found));
    FindClose(search);
  }
  EXPECT_TRUE(entries.empty()) << entries.front();
  // The registry part is done all the same.
  EXPECT_EQ(StringValue(HKEY_LOCAL_MACHINE, kUninstallKey, "Publisher"), "Quenrith");
  RemoveTree(here);
}

}  // namespace
