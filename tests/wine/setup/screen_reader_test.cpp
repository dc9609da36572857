// The setup program as a person who cannot see it uses it, each scenario on
// a machine of its own: the accessible tree that a screen reader reads is
// the only view of the windows (support/screen_reader.h), its default
// action the only input; the message boxes are read and answered as the
// other drivers do. The program's windows are found as a screen reader
// finds them, among the top-level windows.
//
// Arguments: the setup program, then the three payload files it carries
// (main program, uninstaller, icon) and the agreement's text, as Unix paths
// of the build.
#include <windows.h>
#include <oleacc.h>
#include <psapi.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "setup/installed_state.h"
#include "setup/setup_driver.h"
#include "support/screen_reader.h"
#include "support/test_support.h"
#include "texts/accessible.h"
#include "texts/setup_messages.h"

namespace {

constexpr DWORD kBoxTimeoutMs = 30000;

// A unit of the start window as a screen reader must read it.
struct Expected {
  long role;
  std::string name;  // code page 936
  long hasState;
  long lacksState;
  std::string action;  // code page 936; "" for none
  UnitArea area;       // where the layout puts it
};

constexpr long kInvisible = STATE_SYSTEM_INVISIBLE;
constexpr long kFocusable = STATE_SYSTEM_FOCUSABLE;
constexpr long kChecked = STATE_SYSTEM_CHECKED;
constexpr long kUnavailable = STATE_SYSTEM_UNAVAILABLE;

// The start window as it opens: what is named, what can be done, and what
// waits hidden for the installation.
const Expected kStartUnits[] = {
    {ROLE_SYSTEM_PUSHBUTTON, kInstallButtonName, kFocusable, kInvisible | kUnavailable,
     kActionPress, kInstallButton},
    {ROLE_SYSTEM_PUSHBUTTON, kMinimiseButtonName, 0, kInvisible | kUnavailable, kActionPress,
     kMinimiseButton},
    {ROLE_SYSTEM_PUSHBUTTON, kCloseButtonName, 0, kInvisible | kUnavailable, kActionPress,
     kCloseButton},
    {ROLE_SYSTEM_CHECKBUTTON, Gbk("阅读并同意"), kFocusable, kChecked | kInvisible, kActionCheck,
     kAgreementBox},
    {ROLE_SYSTEM_LINK, Gbk("软件许可协议"), kFocusable | STATE_SYSTEM_LINKED, kInvisible,
     kActionOpen, kAgreementLink},
    {ROLE_SYSTEM_STATICTEXT, "Morvane", 0, kInvisible, "", kTitleLabel},
    {ROLE_SYSTEM_STATICTEXT, Gbk("正在安装..."), kInvisible, 0, "", kProgressText},
    {ROLE_SYSTEM_PROGRESSBAR, "", kInvisible, 0, "", kProgressBar},
};

// Where an item lies, as the layout's area of the start window: inside it,
// a frame's width at most from its edges.
bool LiesAt(const AccessibleItem& item, HWND startWindow, const UnitArea& area) {
  const RECT expected = UnitRect(startWindow, area);
  const RECT& at = item.location;
  auto inside = [](long a, long b) { return a >= b && a - b <= 3; };
  return inside(at.left, expected.left) && inside(at.top, expected.top) &&
         inside(expected.right, at.right) && inside(expected.bottom, at.bottom);
}

std::string Listing(const std::vector<AccessibleItem>& items) {
  std::string listing;
  for (const AccessibleItem& item : items)
    listing += std::string(size_t(item.depth) * 2, ' ') + Describe(item) + "\n";
  return listing;
}

// The tree of a window's client object, read anew.
std::vector<AccessibleItem> TreeOf(HWND window) { return ReadTree(ClientObjectOf(window)); }

// The item of that role and name (code page 936) in the window's tree as it
// is now; an item without an object when there is none.
AccessibleItem Find(HWND window, long role, const std::string& name) {
  const std::vector<AccessibleItem> tree = TreeOf(window);
  const AccessibleItem* item = FindItem(tree, role, name);
  return item ? *item : AccessibleItem();
}

// Whether the process has loaded the library, and from where.
std::string LoadedFrom(HANDLE process, const wchar_t* library) {
  HMODULE modules[512];
  DWORD needed = 0;
  if (!EnumProcessModules(process, modules, sizeof modules, &needed)) return "<unreadable>";
  for (DWORD i = 0; i < needed / sizeof modules[0] && i < 512; ++i) {
    wchar_t path[MAX_PATH] = {};
    if (!GetModuleFileNameExW(process, modules[i], path, MAX_PATH)) continue;
    const wchar_t* name = wcsrchr(path, L'\\');
    if (lstrcmpiW(name ? name + 1 : path, library) == 0) return Cp936Of(path);
  }
  return "";
}

// Whether the path names a file of the system folder, as a 32-bit program
// has it: under WoW64 either name of that folder.
bool InSystemFolder(const std::string& path) {
  const std::wstring folder = WideOf(path.substr(0, path.rfind('\\')));
  wchar_t system[MAX_PATH] = {};
  if (GetSystemDirectoryW(system, MAX_PATH) && lstrcmpiW(folder.c_str(), system) == 0) return true;
  return RunsUnderWow64() && GetSystemWow64DirectoryW(system, MAX_PATH) &&
         lstrcmpiW(folder.c_str(), system) == 0;
}

// The identity of a file on its volume, and when it was last written: a
// file written anew (a temporary file moved over it) is another file.
struct FileIdentity {
  DWORD volume = 0;
  DWORD indexHigh = 0;
  DWORD indexLow = 0;
  FILETIME written{};
  bool operator==(const FileIdentity& other) const {
    return volume == other.volume && indexHigh == other.indexHigh && indexLow == other.indexLow &&
           CompareFileTime(&written, &other.written) == 0;
  }
};

bool IdentityOf(const std::string& path, FileIdentity* identity) {
  HANDLE file = CreateFileW(WideOf(path).c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                            OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  BY_HANDLE_FILE_INFORMATION information{};
  const bool read = GetFileInformationByHandle(file, &information) != FALSE;
  CloseHandle(file);
  identity->volume = information.dwVolumeSerialNumber;
  identity->indexHigh = information.nFileIndexHigh;
  identity->indexLow = information.nFileIndexLow;
  identity->written = information.ftLastWriteTime;
  return read;
}

class ScreenReader : public testing::Test {
 protected:
  static void SetUpTestSuite() { CoInitialize(nullptr); }

  void SetUp() override {
    ASSERT_EQ(TestArgumentCount(), 5) << "setup program, three payload files, agreement text";
    setupPath_ = HostPath(TestArgument(0));
    mainPayload_ = HostPath(TestArgument(1));
    agreementText_ = HostPath(TestArgument(4));
  }
  void TearDown() override {
    if (run_.program.started && IsRunning(run_.program))
      TerminateProcess(run_.program.process.hProcess, 99);
  }

  testing::AssertionResult Launch() {
    if (StartSetup(setupPath_, &run_)) return testing::AssertionSuccess();
    return testing::AssertionFailure() << "no start window of " << setupPath_;
  }

  void ExpectExitCode(DWORD expected) {
    DWORD code = 12345;
    ASSERT_TRUE(WaitForExit(&run_.program, kGiveUpMs, &code)) << "the program did not end";
    EXPECT_EQ(code, expected);
  }

  // Activates the item as a screen reader's "activate" does.
  static HRESULT Activate(const AccessibleItem& item) {
    EXPECT_TRUE(item.object) << "nothing to activate";
    return item.object ? DoDefaultAction(item) : E_POINTER;
  }

  // Waits until the item of that role and name reads with the state bits
  // `on` set and `off` clear; the item as last read.
  AccessibleItem WaitForState(HWND window, long role, const std::string& name, long on, long off) {
    AccessibleItem item;
    WaitUntil([&] {
      item = Find(window, role, name);
      return item.object && (item.state & on) == on && (item.state & off) == 0;
    });
    return item;
  }

  // The agreement window, once the program has one besides the start window.
  HWND WaitForAgreementWindow() {
    HWND agreement = nullptr;
    WaitUntil([&] {
      const std::vector<HWND> others =
          OtherWindows(run_.program.process.dwProcessId, run_.startWindow);
      agreement = others.empty() ? nullptr : others.front();
      return agreement != nullptr;
    });
    return agreement;
  }

  std::string setupPath_;
  std::string mainPayload_;
  std::string agreementText_;
  SetupRun run_;
};

// The start window read through its tree: names, roles, states, actions and
// places; the check box ticked and cleared; the agreement opened, read and
// closed; the program closed with its close button.
TEST_F(ScreenReader, ReadsTheStartWindowAndTheAgreement) {
  ASSERT_TRUE(Launch());
  HANDLE process = run_.program.process.hProcess;
  // Nothing of the screen reader's library until a screen reader asks.
  EXPECT_EQ(LoadedFrom(process, L"oleacc.dll"), "");
  WinEventLog events(run_.program.process.dwProcessId, EVENT_OBJECT_FOCUS,
                     EVENT_OBJECT_VALUECHANGE);
  ASSERT_TRUE(events.Listening());

  const std::vector<AccessibleItem> tree = TreeOf(run_.startWindow);
  ASSERT_FALSE(tree.empty()) << "the start window has no accessible object";
  const std::string listing = Listing(tree);
  const AccessibleItem& window = tree.front();
  EXPECT_EQ(RoleName(window.role), RoleName(ROLE_SYSTEM_CLIENT)) << listing;
  EXPECT_EQ(window.name, kStartWindowName) << listing;
  // Without a caption bar it has no close box; its close button closes it.
  EXPECT_EQ(window.action, "") << listing;
  for (const Expected& expected : kStartUnits) {
    SCOPED_TRACE(expected.name);
    const AccessibleItem* item = FindItem(tree, expected.role, expected.name);
    ASSERT_NE(item, nullptr) << "no " << RoleName(expected.role) << " \"" << expected.name
                             << "\" in\n"
                             << listing;
    EXPECT_EQ(item->state & expected.hasState, expected.hasState) << Describe(*item);
    EXPECT_EQ(item->state & expected.lacksState, 0) << Describe(*item);
    EXPECT_EQ(item->action, expected.action) << Describe(*item);
    EXPECT_TRUE(LiesAt(*item, run_.startWindow, expected.area)) << Describe(*item);
  }
  // Every unit that a person uses says what it is: no nameless button.
  int graphics = 0;
  for (const AccessibleItem& item : tree) {
    if (item.role == ROLE_SYSTEM_GRAPHIC) ++graphics;
    if (!item.action.empty()) {
      EXPECT_FALSE(item.name.empty()) << Describe(item);
    }
  }
  EXPECT_EQ(graphics, 2) << "the banner and the logo\n" << listing;
  // The library came from the system folder, when asked for.
  const std::string oleacc = LoadedFrom(process, L"oleacc.dll");
  EXPECT_TRUE(InSystemFolder(oleacc)) << oleacc;

  // Ticked, and heard as a change; then cleared.
  const std::string box = Gbk("阅读并同意");
  EXPECT_EQ(Activate(Find(run_.startWindow, ROLE_SYSTEM_CHECKBUTTON, box)), S_OK);
  AccessibleItem ticked = WaitForState(run_.startWindow, ROLE_SYSTEM_CHECKBUTTON, box, kChecked, 0);
  EXPECT_TRUE(ticked.Has(kChecked)) << Describe(ticked);
  EXPECT_EQ(ticked.action, kActionUncheck);
  EXPECT_TRUE(WaitUntil([&] {
    for (const HeardEvent& heard : events.Of(EVENT_OBJECT_STATECHANGE))
      if (heard.hwnd == ticked.window) return true;
    return false;
  })) << "no state change heard from the check box";
  EXPECT_EQ(Activate(ticked), S_OK);
  const AccessibleItem cleared =
      WaitForState(run_.startWindow, ROLE_SYSTEM_CHECKBUTTON, box, 0, kChecked);
  EXPECT_FALSE(cleared.Has(kChecked)) << Describe(cleared);

  // The link opens the agreement window, heard as it takes the focus, named
  // by its title; its text read in full from the object inside it.
  events.Clear();
  EXPECT_EQ(Activate(Find(run_.startWindow, ROLE_SYSTEM_LINK, Gbk("软件许可协议"))), S_OK);
  HWND agreement = WaitForAgreementWindow();
  ASSERT_NE(agreement, nullptr) << "the link opened no window";
  EXPECT_TRUE(WaitUntil([&] {
    for (const HeardEvent& heard : events.Of(EVENT_OBJECT_FOCUS)) {
      AccessibleItem focused;
      if (ReadEventItem(heard, &focused) && focused.window == agreement &&
          focused.name == kAgreementWindowName)
        return true;
    }
    return false;
  })) << "no focus on the agreement window heard";
  std::string licence;
  ASSERT_TRUE(ReadWholeFile(agreementText_, &licence));
  const std::vector<AccessibleItem> agreementTree = TreeOf(agreement);
  ASSERT_FALSE(agreementTree.empty());
  const std::string agreementListing = Listing(agreementTree);
  EXPECT_EQ(RoleName(agreementTree.front().role), RoleName(ROLE_SYSTEM_CLIENT)) << agreementListing;
  EXPECT_EQ(agreementTree.front().name, kAgreementWindowName) << agreementListing;
  EXPECT_EQ(agreementTree.front().action, kActionClose) << agreementListing;
  const AccessibleItem* text = nullptr;
  for (const AccessibleItem& item : agreementTree)
    if (item.role == ROLE_SYSTEM_TEXT) text = &item;
  ASSERT_NE(text, nullptr) << "no text in\n" << agreementListing;
  EXPECT_EQ(text->value, licence);
  EXPECT_TRUE(text->Has(STATE_SYSTEM_READONLY)) << Describe(*text);

  // Closed through its own object, as its close box closes it.
  EXPECT_EQ(Activate(agreementTree.front()), S_OK);
  EXPECT_TRUE(WaitUntilGone(agreement));
  ASSERT_TRUE(IsRunning(run_.program));

  EXPECT_EQ(Activate(Find(run_.startWindow, ROLE_SYSTEM_PUSHBUTTON, kCloseButtonName)), S_OK);
  ExpectExitCode(0);
}

// The installation through the tree: the gate, the box ticked, the install
// button pressed; under the progress view the covered units read as
// invisible and pressing the install button again starts nothing; the bar's
// progress is heard; one final box, and the main program written once.
TEST_F(ScreenReader, InstallsThroughTheTree) {
  ASSERT_TRUE(Launch());
  WinEventLog events(run_.program.process.dwProcessId, EVENT_OBJECT_FOCUS,
                     EVENT_OBJECT_VALUECHANGE);
  ASSERT_TRUE(events.Listening());
  HWND start = run_.startWindow;

  EXPECT_EQ(Activate(Find(start, ROLE_SYSTEM_PUSHBUTTON, kInstallButtonName)), S_OK);
  EXPECT_EQ(AnswerMessageBox(run_.program, kBoxTimeoutMs), kAcceptFirst);
  EXPECT_EQ(FilesPresent(), "");

  EXPECT_EQ(Activate(Find(start, ROLE_SYSTEM_CHECKBUTTON, Gbk("阅读并同意"))), S_OK);
  EXPECT_TRUE(
      WaitForState(start, ROLE_SYSTEM_CHECKBUTTON, Gbk("阅读并同意"), kChecked, 0).Has(kChecked));

  const AccessibleItem install = Find(start, ROLE_SYSTEM_PUSHBUTTON, kInstallButtonName);
  EXPECT_EQ(Activate(install), S_OK);
  // The progress view: the bar and its text come into view, the cover
  // hides what lies under it.
  const AccessibleItem bar = WaitForState(start, ROLE_SYSTEM_PROGRESSBAR, "", 0, kInvisible);
  EXPECT_FALSE(bar.Has(kInvisible)) << Describe(bar);
  EXPECT_FALSE(WaitForState(start, ROLE_SYSTEM_STATICTEXT, Gbk("正在安装..."), 0, kInvisible)
                   .Has(kInvisible));
  for (long role : {ROLE_SYSTEM_PUSHBUTTON, ROLE_SYSTEM_CHECKBUTTON, ROLE_SYSTEM_LINK}) {
    const std::string name = role == ROLE_SYSTEM_PUSHBUTTON    ? std::string(kInstallButtonName)
                             : role == ROLE_SYSTEM_CHECKBUTTON ? Gbk("阅读并同意")
                                                               : Gbk("软件许可协议");
    const AccessibleItem covered = Find(start, role, name);
    EXPECT_TRUE(covered.Has(kInvisible)) << Describe(covered);
  }

  // The main program is written before the animation; pressed again under
  // the cover, the install button refuses, and no second installation
  // writes the file anew.
  ASSERT_TRUE(WaitUntil([&] { return PathExists(kMainProgramPath); }));
  FileIdentity written;
  ASSERT_TRUE(WaitUntil([&] { return IdentityOf(kMainProgramPath, &written); }));
  EXPECT_TRUE(FAILED(Activate(Find(start, ROLE_SYSTEM_PUSHBUTTON, kInstallButtonName))));
  EXPECT_TRUE(FAILED(Activate(install)));

  // The bar's value changes, heard where the screen reader listens.
  EXPECT_TRUE(WaitUntil([&] {
    for (const HeardEvent& heard : events.Of(EVENT_OBJECT_VALUECHANGE))
      if (heard.hwnd == bar.window) return true;
    return false;
  })) << "no value change heard from the progress bar";
  AccessibleItem later;
  EXPECT_TRUE(WaitUntil([&] {
    later = Find(start, ROLE_SYSTEM_PROGRESSBAR, "");
    return !later.value.empty() && later.value != "0%";
  })) << Describe(later);

  EXPECT_EQ(AnswerMessageBox(run_.program, kBoxTimeoutMs), kInstallDone);
  ExpectExitCode(0);
  FileIdentity after;
  ASSERT_TRUE(IdentityOf(kMainProgramPath, &after));
  EXPECT_TRUE(after == written) << "the main program was written again";
  EXPECT_EQ(CompareFiles(kMainProgramPath, mainPayload_), "same");
}

}  // namespace
