// The uninstaller that the setup program installs, from end to end, each
// scenario on a machine of its own: installed through the setup program's
// window, started as Windows starts it (the uninstall entry's command line),
// its boxes read and answered, and the machine compared with how it was.
//
// Arguments: the setup program, then the three payload files it carries
// (main program, uninstaller, icon), as Unix paths of the build.
#include <windows.h>
#include <sddl.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "setup/installed_state.h"
#include "setup/machine_snapshot.h"
#include "setup/setup_driver.h"
#include "setup/uninstall_scenario.h"
#include "support/test_support.h"
#include "texts/installation.h"
#include "texts/setup_messages.h"
#include "texts/uninstaller.h"
#include "uninstaller/private_folder_rule.h"

namespace {

constexpr DWORD kExitTimeoutMs = kUninstallExitTimeoutMs;
// Where the first scenario leaves word for the part after the restart.
const char kRestartNote[] = "C:\\uninstall-restart-note.txt";
const char kPendingKey[] = "SYSTEM\\CurrentControlSet\\Control\\Session Manager";

bool Answer(const MessageBoxSeen& found, int buttonId) { return AnswerBox(found, buttonId, 10000); }

// The operations that wait for the next restart, each a source and a
// target (empty: a deletion), as PendingFileRenameOperations lists them.
std::vector<std::pair<std::wstring, std::wstring>> PendingOperations() {
  std::vector<std::pair<std::wstring, std::wstring>> operations;
  HKEY key;
  if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, WideOf(kPendingKey).c_str(), 0, KEY_READ, &key) !=
      ERROR_SUCCESS)
    return operations;
  DWORD size = 0;
  std::vector<wchar_t> units;
  if (RegQueryValueExW(key, L"PendingFileRenameOperations", nullptr, nullptr, nullptr, &size) ==
      ERROR_SUCCESS) {
    units.resize(size / sizeof(wchar_t) + 2, L'\0');
    RegQueryValueExW(key, L"PendingFileRenameOperations", nullptr, nullptr,
                     reinterpret_cast<BYTE*>(units.data()), &size);
  }
  RegCloseKey(key);
  // Pairs of strings, source and target, until an empty source.
  size_t at = 0;
  const auto next = [&]() {
    std::wstring text;
    while (at < units.size() && units[at] != L'\0') text += units[at++];
    ++at;
    return text;
  };
  for (;;) {
    std::wstring source = next();
    if (source.empty() || at >= units.size()) break;
    operations.emplace_back(std::move(source), next());
  }
  return operations;
}

bool HasPendingOperations() { return !PendingOperations().empty(); }

// What waits for deletion at the next restart, without the "\??\" that
// Windows puts before a path.
std::vector<std::wstring> PendingDeletions() {
  std::vector<std::wstring> paths;
  for (auto& [source, target] : PendingOperations()) {
    if (!target.empty()) continue;
    paths.push_back(source.rfind(L"\\??\\", 0) == 0 ? source.substr(4) : source);
  }
  return paths;
}

// Whether `path` lies in the user's profile, which the user can change
// before the restart.
bool InTheProfile(const std::wstring& path) {
  wchar_t profile[MAX_PATH];
  if (FAILED(SHGetFolderPathW(nullptr, CSIDL_PROFILE, nullptr, SHGFP_TYPE_CURRENT, profile)))
    return true;
  const std::wstring folder = std::wstring(profile) + L"\\";
  return path.size() >= folder.size() &&
         CompareStringOrdinal(path.c_str(), int(folder.size()), folder.c_str(), int(folder.size()),
                              TRUE) == CSTR_EQUAL;
}

void ExpectNoPendingDeletionInTheProfile() {
  for (const std::wstring& path : PendingDeletions())
    EXPECT_FALSE(InTheProfile(path)) << "waits for the restart in the profile: " << Utf8Of(path);
}

// What is named as the private folders are in `temp`, as Windows names it.
std::vector<std::wstring> PrivateFoldersIn(const std::wstring& temp) {
  std::vector<std::wstring> folders;
  WIN32_FIND_DATAW found;
  HANDLE search = FindFirstFileW((temp + L"MorvaneUninstall-*").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return folders;
  do folders.push_back(temp + std::wstring(found.cFileName));
  while (FindNextFileW(search, &found));
  FindClose(search);
  return folders;
}

// Where the copy runs: the system's temporary folder, outside the profile.
std::vector<std::wstring> PrivateFolders() { return PrivateFoldersIn(SystemTempFolder()); }

// The descriptor the uninstaller makes its private folders with.
const char* const kOurDescriptor = kPrivateFolderSecurity;

// Whether this system keeps the descriptor a folder is made with: Windows
// does; Wine may make one up from the Unix permissions instead (the owner
// the user), and then no folder can be told as the uninstaller's.
bool DescriptorsAreKept(std::string* readBack) {
  const std::wstring probe = SystemTempFolder() + L"morvane-descriptor-probe";
  if (!CreateFolderWithSecurity(probe, kOurDescriptor)) return false;
  *readBack = SecurityOf(probe);
  RemoveDirectoryW(probe.c_str());
  return IsPrivateFolderSecurity(*readBack);
}

// The user that this test runs as, in SDDL.
std::string OwnUser() {
  HANDLE token = nullptr;
  if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token)) return "";
  BYTE room[256];
  DWORD size = 0;
  std::string text;
  LPWSTR sid = nullptr;
  if (GetTokenInformation(token, TokenUser, room, sizeof room, &size) &&
      ConvertSidToStringSidW(reinterpret_cast<TOKEN_USER*>(room)->User.Sid, &sid)) {
    text = Utf8Of(sid);
    LocalFree(sid);
  }
  CloseHandle(token);
  return text;
}

bool PlantFile(const std::wstring& path) {
  HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  const bool ok = WriteFile(file, "kept", 4, &written, nullptr) && written == 4;
  return CloseHandle(file) && ok;
}

// A folder with a file in it, owned by the test: a victim that no deletion
// may reach through a link.
const wchar_t kVictim[] = L"C:\\victim";
const wchar_t kVictimFile[] = L"C:\\victim\\keep.txt";

// What Wine itself writes whenever a desktop starts or input arrives,
// whatever program runs (it changes as much when the uninstaller is told No
// as in a round trip): the display driver's date, and Wine's own store of
// settings that last for the session. No program of ours writes there.
bool IsWineHousekeeping(const std::string& line) {
  const std::string entry = line.substr(2);
  const auto startsWith = [&](const char* prefix) { return entry.rfind(prefix, 0) == 0; };
  const auto endsWith = [&](const std::string& suffix) {
    return entry.size() >= suffix.size() &&
           entry.compare(entry.size() - suffix.size(), suffix.size(), suffix) == 0;
  };
  return (startsWith("value HKLM\\System\\CurrentControlSet\\Control\\") &&
          endsWith("\\DriverDateData")) ||
         startsWith("key HKCU\\Software\\Wine\\Temporary System Parameters") ||
         startsWith("value HKCU\\Software\\Wine\\Temporary System Parameters");
}

// The differences but Wine's housekeeping, `allowed` and what was added in
// `folder` (when one is given) and below it, one a line.
std::string ChangesBut(const std::vector<std::string>& changed, const std::string& allowed,
                       bool* allowedSeen, const std::string& folder = "") {
  const std::string added = "+ file " + folder;
  const auto isAddedInFolder = [&](const std::string& line) {
    return !folder.empty() && line.size() >= added.size() &&
           _strnicmp(line.c_str(), added.c_str(), added.size()) == 0 &&
           (line.size() == added.size() || line[added.size()] == '\\');
  };
  std::string lines;
  for (const std::string& line : changed) {
    if (IsWineHousekeeping(line) || isAddedInFolder(line)) continue;
    if (!allowed.empty() && line.substr(2) == allowed) {
      *allowedSeen = true;
      continue;
    }
    lines += line + "\n";
  }
  return lines;
}

class Uninstall : public UninstallScenario {
 protected:
  void SetUp() override {
    UninstallScenario::SetUp();
    uninstallerPayload_ = HostPath(TestArgument(2));
  }

  // Answers the question with Yes and the final message with OK: the final
  // message's text and the exit code of the process that showed it.
  void RunUninstaller(RunningProgram program, std::string* message, DWORD* exitCode) {
    ASSERT_TRUE(program.started);
    MessageBoxSeen question;
    ASSERT_TRUE(WaitForUninstallBox(&question)) << "no question";
    EXPECT_EQ(question.processId, program.process.dwProcessId);
    EXPECT_NE(question.text.find("Morvane"), std::string::npos) << question.text;
    EXPECT_NE(GetDlgItem(question.box, IDYES), nullptr);
    EXPECT_NE(GetDlgItem(question.box, IDNO), nullptr);
    ASSERT_TRUE(Answer(question, IDYES));
    MessageBoxSeen final;
    ASSERT_TRUE(WaitForUninstallBox(&final, question.box)) << "no final message";
    HANDLE process =
        OpenProcess(SYNCHRONIZE | PROCESS_QUERY_LIMITED_INFORMATION, FALSE, final.processId);
    ASSERT_NE(process, nullptr);
    processes_.Add(process);
    // The copy may still have the uninstaller's file to remove once the
    // process that shows the box has ended: the run is over when both are.
    std::vector<HANDLE> copies;
    for (DWORD id : ChildProcessIds(final.processId))
      if (HANDLE copy = OpenProcess(SYNCHRONIZE, FALSE, id)) copies.push_back(copy);
    for (HANDLE copy : copies) processes_.Add(copy);
    *message = final.text;
    ASSERT_TRUE(Answer(final, IDOK));
    ASSERT_EQ(WaitForSingleObject(process, kExitTimeoutMs), WAIT_OBJECT_0);
    GetExitCodeProcess(process, exitCode);
    for (HANDLE copy : copies) ASSERT_EQ(WaitForSingleObject(copy, kExitTimeoutMs), WAIT_OBJECT_0);
  }

  static void ExpectNothingOfTheInstallation() {
    EXPECT_EQ(FilesPresent(), "");
    EXPECT_EQ(RegistrationPresent(), "");
  }

  std::string uninstallerPayload_;
};

// Install, uninstall, and the machine is as it was, but for the copy of the
// uninstaller that waits in the system's temporary folder for the next
// restart: nothing of it in the user's profile, where the user could lead
// the deletion at the restart elsewhere.
TEST_F(Uninstall, RoundTripLeavesTheMachineAsItWas) {
  const MachineSnapshot before = TakeMachineSnapshot();
  ASSERT_NO_FATAL_FAILURE(Install());
  std::string message;
  DWORD code = 12345;
  ASSERT_NO_FATAL_FAILURE(RunUninstaller(StartRegisteredUninstaller(), &message, &code));
  EXPECT_EQ(message, kRemoved);
  EXPECT_EQ(code, 0u);
  ExpectNothingOfTheInstallation();

  ASSERT_EQ(PrivateFolders().size(), 1u);
  const std::wstring folder = PrivateFolders().front();
  EXPECT_FALSE(InTheProfile(folder)) << Utf8Of(folder);
  EXPECT_TRUE(PrivateFoldersIn(UserTempFolder()).empty())
      << "a folder in the user's temporary folder";
  EXPECT_EQ(TreeOf(folder), std::vector<std::string>{"卸载Morvane.exe"});
  const std::string pending =
      "value HKLM\\System\\CurrentControlSet\\Control\\Session "
      "Manager\\PendingFileRenameOperations";
  bool marked = false;
  EXPECT_EQ(ChangesBut(SnapshotDifferences(before, TakeMachineSnapshot()), pending, &marked,
                       Utf8Of(folder)),
            "")
      << "what the round trip changed";
  EXPECT_TRUE(marked) << "the copy is not marked for deletion at the restart";
  ExpectNoPendingDeletionInTheProfile();
  const std::vector<std::wstring> pendingPaths = PendingDeletions();
  EXPECT_EQ(pendingPaths.size(), 2u);
  for (const std::wstring& path : pendingPaths)
    EXPECT_EQ(CompareStringOrdinal(path.c_str(), int(folder.size()), folder.c_str(),
                                   int(folder.size()), TRUE),
              CSTR_EQUAL)
        << "waits for the restart outside the copy's folder: " << Utf8Of(path);
  ASSERT_TRUE(WriteWholeFile(kRestartNote, Utf8Of(folder)));
}

// After the restart (the test bed restarts the prefix between the two
// parts): the copy and its folder are gone, and nothing waits any more.
TEST_F(Uninstall, AfterTheRestartTheCopyIsGone) {
  std::string folder;
  ASSERT_TRUE(ReadWholeFile(kRestartNote, &folder));
  DeleteFileW(WideOf(kRestartNote).c_str());
  EXPECT_FALSE(PathExists(WideOfUtf8(folder))) << folder;
  EXPECT_TRUE(PrivateFolders().empty());
  EXPECT_FALSE(HasPendingOperations());
}

// An all-files verb that another program owned before the installation, and
// a desktop shortcut "Morvane" that another program put in place of ours:
// both stay, and the message names them.
TEST_F(Uninstall, WhatIsNotOursIsKept) {
  const char kOtherCommand[] = "\"C:\\Other\\other.exe\" \"%1\"";
  SetRegistryText(HKEY_CLASSES_ROOT, "*\\shell\\Morvane\\command", "", kOtherCommand);
  ASSERT_NO_FATAL_FAILURE(Install());
  ASSERT_EQ(RegistryText(HKEY_CLASSES_ROOT, "*\\shell\\Morvane\\command", ""), kOtherCommand);
  // Another program's shortcut under our name, written over ours.
  ASSERT_TRUE(DeleteFileW(DesktopShortcut().c_str()));
  {
    IShellLinkW* link = nullptr;
    ASSERT_TRUE(SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER,
                                           IID_IShellLinkW, reinterpret_cast<void**>(&link))));
    link->SetPath(L"C:\\Other\\other.exe");
    IPersistFile* file = nullptr;
    ASSERT_TRUE(SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file))));
    EXPECT_TRUE(SUCCEEDED(file->Save(DesktopShortcut().c_str(), TRUE)));
    file->Release();
    link->Release();
  }
  std::string message;
  DWORD code = 12345;
  ASSERT_NO_FATAL_FAILURE(RunUninstaller(StartRegisteredUninstaller(), &message, &code));
  EXPECT_EQ(code, 0u);
  EXPECT_EQ(RegistryText(HKEY_CLASSES_ROOT, "*\\shell\\Morvane\\command", ""), kOtherCommand);
  EXPECT_EQ(ShortcutTarget(DesktopShortcut()), "C:\\Other\\other.exe");
  EXPECT_NE(message.find(kKeptHeading), std::string::npos) << message;
  EXPECT_NE(message.find("*\\shell\\Morvane"), std::string::npos) << message;
  EXPECT_NE(message.find("Morvane.lnk"), std::string::npos) << message;
  // The rest is gone.
  EXPECT_FALSE(PathExists(kInstallFolder));
  EXPECT_FALSE(RegistryKeyExists(HKEY_CLASSES_ROOT, "Directory\\shell\\Morvane"));
  EXPECT_FALSE(RegistryKeyExists(HKEY_CLASSES_ROOT, "zorvafile"));
  EXPECT_FALSE(PathExists(ProgramGroup()));
}

// No leaves everything in place, and no copy is made.
TEST_F(Uninstall, AnsweringNoRemovesNothing) {
  ASSERT_NO_FATAL_FAILURE(Install());
  const MachineSnapshot installed = TakeMachineSnapshot();
  RunningProgram program = StartRegisteredUninstaller();
  MessageBoxSeen question;
  ASSERT_TRUE(WaitForUninstallBox(&question));
  ASSERT_TRUE(Answer(question, IDNO));
  DWORD code = 0;
  ASSERT_TRUE(WaitForExit(&program, kExitTimeoutMs, &code));
  EXPECT_EQ(code, DWORD(ERROR_CANCELLED));
  bool unused = false;
  EXPECT_EQ(ChangesBut(SnapshotDifferences(installed, TakeMachineSnapshot()), "", &unused), "");
  EXPECT_TRUE(PrivateFolders().empty());
}

// A second run after the first: harmless, and it says what it did not find.
TEST_F(Uninstall, SecondRunSaysWhatItDidNotFind) {
  ASSERT_NO_FATAL_FAILURE(Install());
  std::string message;
  DWORD code = 12345;
  ASSERT_NO_FATAL_FAILURE(RunUninstaller(StartRegisteredUninstaller(), &message, &code));
  ASSERT_EQ(code, 0u);
  // The installed one is gone: the same program, from a folder of its own.
  wchar_t temp[MAX_PATH];
  GetTempPathW(MAX_PATH, temp);
  const std::wstring again = temp + WideOf(kUninstallerName);
  ASSERT_TRUE(CopyFileW(WideOf(uninstallerPayload_).c_str(), again.c_str(), FALSE));
  ASSERT_NO_FATAL_FAILURE(RunUninstaller(StartProgram(L"\"" + again + L"\""), &message, &code));
  EXPECT_EQ(code, 0u);
  EXPECT_EQ(message.find(kNothingFound), 0u) << message;
  EXPECT_NE(message.find(kMainProgramPath), std::string::npos) << message;
  EXPECT_NE(message.find("HKEY_CLASSES_ROOT\\.zorva"), std::string::npos) << message;
  ExpectNothingOfTheInstallation();
}

// What writes of the setup program that a crash or a power cut interrupted
// left beside its files, under the writer's temporary names: gone with the
// installation, in its folder and in the system folder. Names that only
// look like them are someone else's and stay.
TEST_F(Uninstall, LeftoversOfInterruptedWritesGo) {
  ASSERT_NO_FATAL_FAILURE(Install());
  const std::vector<std::string> ours = {kMainProgramPath + ".morvane-0000ABCD.tmp",
                                         kUninstallerPath + ".morvane-12345678.tmp",
                                         IconPath() + ".morvane-FFFFFFFF.tmp"};
  const std::vector<std::string> others = {IconPath() + ".morvane-1234.tmp",
                                           IconPath() + ".morvane-0000000G.tmp",
                                           IconPath() + ".morvane-00000000.tmp.old"};
  for (const std::vector<std::string>* files : {&ours, &others})
    for (const std::string& file : *files) ASSERT_TRUE(WriteWholeFile(file, "half")) << file;
  std::string message;
  DWORD code = 12345;
  ASSERT_NO_FATAL_FAILURE(RunUninstaller(StartRegisteredUninstaller(), &message, &code));
  EXPECT_EQ(code, 0u);
  EXPECT_EQ(message, kRemoved);
  for (const std::string& file : ours) EXPECT_FALSE(PathExists(file)) << file;
  for (const std::string& file : others) EXPECT_TRUE(PathExists(file)) << file;
  ExpectNothingOfTheInstallation();
}

// A main program that is in use stays, named in the message; everything
// else goes but the uninstaller and its entry, the way to try again, and the
// exit code says that not all went.
TEST_F(Uninstall, MainProgramInUseIsNamedAndTheRestRemoved) {
  ASSERT_NO_FATAL_FAILURE(Install());
  HANDLE inUse = CreateFileW(WideOf(kMainProgramPath).c_str(), GENERIC_READ, 0, nullptr,
                             OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(inUse, INVALID_HANDLE_VALUE);
  std::string message;
  DWORD code = 12345;
  ASSERT_NO_FATAL_FAILURE(RunUninstaller(StartRegisteredUninstaller(), &message, &code));
  CloseHandle(inUse);
  EXPECT_EQ(code, 1u);
  EXPECT_EQ(message.find(kNotAllRemoved), 0u) << message;
  EXPECT_NE(message.find(kMainProgramPath), std::string::npos) << message;
  EXPECT_TRUE(PathExists(kMainProgramPath));
  EXPECT_TRUE(PathExists(kUninstallerPath));
  EXPECT_FALSE(PathExists(IconPath()));
  EXPECT_FALSE(RegistryKeyExists(HKEY_CLASSES_ROOT, "zorvafile"));
  EXPECT_TRUE(RegistryKeyExists(HKEY_LOCAL_MACHINE, kUninstallKey));
  EXPECT_FALSE(PathExists(DesktopShortcut()));
}

// Where no copy can be started (here the system has no temporary folder:
// the uninstaller makes none, and the user's is no place for the copy), it
// removes everything else itself and leaves its own file and the
// installation folder to the next restart, and says so.
TEST_F(Uninstall, WithoutACopyTheRestGoesAndItselfAtTheRestart) {
  ASSERT_NO_FATAL_FAILURE(Install());
  // Empty on a fresh machine, and made again afterwards.
  const std::wstring temp = SystemTempFolder().substr(0, SystemTempFolder().size() - 1);
  ASSERT_TRUE(RemoveDirectoryW(temp.c_str())) << "the system's temporary folder holds something";
  std::string message;
  DWORD code = 12345;
  RunUninstaller(StartRegisteredUninstaller(), &message, &code);
  EXPECT_EQ(GetFileAttributesW(temp.c_str()), INVALID_FILE_ATTRIBUTES) << "it made the folder";
  ASSERT_TRUE(CreateDirectoryW(temp.c_str(), nullptr));
  if (HasFatalFailure()) return;
  EXPECT_TRUE(PrivateFoldersIn(UserTempFolder()).empty())
      << "a copy in the user's temporary folder";
  EXPECT_EQ(code, 0u);
  EXPECT_NE(message.find(kAtRestartHeading), std::string::npos) << message;
  EXPECT_NE(message.find(kUninstallerPath), std::string::npos) << message;
  EXPECT_FALSE(PathExists(kMainProgramPath));
  EXPECT_FALSE(RegistryKeyExists(HKEY_CLASSES_ROOT, "zorvafile"));
  EXPECT_FALSE(PathExists(DesktopShortcut()));
  EXPECT_TRUE(HasPendingOperations());
  ExpectNoPendingDeletionInTheProfile();
}

// Beside a "卸载Morvane.exe.local" folder, which could redirect the common
// controls into it, the uninstaller refuses to run: it says why, asks
// nothing, removes nothing, and ends with -1.
TEST_F(Uninstall, RedirectionFolderBesideItRefusesToRun) {
  ASSERT_NO_FATAL_FAILURE(Install());
  const std::string local = std::string(kUninstallerPath) + ".local";
  ASSERT_TRUE(CreateDirectoryW(WideOf(local).c_str(), nullptr));
  RunningProgram program = StartRegisteredUninstaller();
  MessageBoxSeen refusal;
  ASSERT_TRUE(WaitForUninstallBox(&refusal));
  EXPECT_NE(refusal.text.find(".local"), std::string::npos) << refusal.text;
  EXPECT_EQ(GetDlgItem(refusal.box, IDYES), nullptr) << "it asked to go on";
  ASSERT_TRUE(Answer(refusal, IDOK));
  DWORD code = 0;
  ASSERT_TRUE(WaitForExit(&program, kExitTimeoutMs, &code));
  EXPECT_EQ(code, DWORD(-1));
  RemoveDirectoryW(WideOf(local).c_str());
  EXPECT_TRUE(PathExists(kMainProgramPath));
  EXPECT_TRUE(RegistryKeyExists(HKEY_CLASSES_ROOT, "zorvafile"));
  EXPECT_TRUE(PrivateFolders().empty());
}

// Folders under the names that the cleanup of earlier runs looks for, made
// by someone else: in the user's temporary folder (never looked at, even
// with the uninstaller's own descriptor), and in the system's with the
// descriptor that the temporary folder gives, with one that also lets the
// users in, with a user as the owner, and under names that only look like
// ours; and one that is a link to a victim folder. All stay with what is in
// them, and the victim too.
TEST_F(Uninstall, FoldersUnderOurNamesThatAreNotOursStay) {
  ASSERT_NO_FATAL_FAILURE(Install());
  ASSERT_TRUE(CreateDirectoryW(kVictim, nullptr));
  ASSERT_TRUE(PlantFile(kVictimFile));
  const std::string ourList = "D:P(A;OICI;FA;;;BA)(A;OICI;FA;;;SY)";
  const std::string usersLetIn = std::string(kOurDescriptor) + "(A;OICI;FA;;;BU)";
  const std::string ownedByTheUser = "O:" + OwnUser() + ourList;
  struct Planted {
    std::wstring folder;
    const char* descriptor;  // nullptr: what the folder above gives
  };
  const std::vector<Planted> planted = {
      {UserTempFolder() + L"MorvaneUninstall-0123456789abcdef", kOurDescriptor},
      {SystemTempFolder() + L"MorvaneUninstall-1111111111111111", nullptr},
      {SystemTempFolder() + L"MorvaneUninstall-2222222222222222", usersLetIn.c_str()},
      {SystemTempFolder() + L"MorvaneUninstall-3333333333333333", ownedByTheUser.c_str()},
      {SystemTempFolder() + L"MorvaneUninstall-ABCDEF0123456789", kOurDescriptor},
      {SystemTempFolder() + L"MorvaneUninstall-0123456789abcdef0", kOurDescriptor},
  };
  for (const Planted& folder : planted) {
    ASSERT_TRUE(folder.descriptor ? CreateFolderWithSecurity(folder.folder, folder.descriptor)
                                  : CreateDirectoryW(folder.folder.c_str(), nullptr) != FALSE)
        << Utf8Of(folder.folder);
    ASSERT_TRUE(PlantFile(folder.folder + L"\\keep.txt")) << Utf8Of(folder.folder);
  }
  const std::wstring link = SystemTempFolder() + L"MorvaneUninstall-4444444444444444";
  ASSERT_TRUE(MakeFolderLink(link, kVictim));
  ASSERT_TRUE(PathExists(link + L"\\keep.txt")) << "the link does not lead to the victim";

  std::string message;
  DWORD code = 12345;
  ASSERT_NO_FATAL_FAILURE(RunUninstaller(StartRegisteredUninstaller(), &message, &code));
  EXPECT_EQ(code, 0u);
  ExpectNothingOfTheInstallation();
  for (const Planted& folder : planted)
    EXPECT_TRUE(PathExists(folder.folder + L"\\keep.txt")) << Utf8Of(folder.folder);
  EXPECT_TRUE(GetFileAttributesW(link.c_str()) & FILE_ATTRIBUTE_REPARSE_POINT) << "the link went";
  EXPECT_TRUE(PathExists(kVictimFile)) << "deleted through the link";
}

// A folder that an earlier run left (the uninstaller's name and descriptor)
// goes with its files; so does one with a link in it, as the link: what it
// leads to stays. Only where the system keeps the descriptors folders are
// made with, since only there is a folder of ours told from another.
TEST_F(Uninstall, LeftoversOfEarlierRunsGoAndLinksInThemGoAsLinks) {
  std::string readBack;
  if (!DescriptorsAreKept(&readBack))
    GTEST_SKIP() << "this system does not keep the descriptor a folder is made with (it reads back "
                 << readBack << ")";
  ASSERT_NO_FATAL_FAILURE(Install());
  ASSERT_TRUE(CreateDirectoryW(kVictim, nullptr));
  ASSERT_TRUE(PlantFile(kVictimFile));
  const std::wstring leftover = SystemTempFolder() + L"MorvaneUninstall-5555555555555555";
  ASSERT_TRUE(CreateFolderWithSecurity(leftover, kOurDescriptor));
  ASSERT_TRUE(PlantFile(leftover + L"\\" + WideOf(kUninstallerName)));
  ASSERT_TRUE(PlantFile(leftover + L"\\other.txt"));
  const std::wstring linking = SystemTempFolder() + L"MorvaneUninstall-6666666666666666";
  ASSERT_TRUE(CreateFolderWithSecurity(linking, kOurDescriptor));
  ASSERT_TRUE(MakeFolderLink(linking + L"\\link", kVictim));

  std::string message;
  DWORD code = 12345;
  ASSERT_NO_FATAL_FAILURE(RunUninstaller(StartRegisteredUninstaller(), &message, &code));
  EXPECT_EQ(code, 0u);
  EXPECT_FALSE(PathExists(leftover));
  EXPECT_FALSE(PathExists(linking));
  EXPECT_TRUE(PathExists(kVictimFile)) << "deleted through the link";
}

}  // namespace
