// Opening a hyperlink box's target, proved by what really starts: a logging
// stand-in program is registered in this test's own prefix as the mail
// program and as the program of ".htm" files, and its log shows the command
// line it was started with. Usage: hyperlinker_open_test STANDIN_EXE
#include <windows.h>
#include <tlhelp32.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/test_support.h"
#include "support/gui_driver.h"
#include "support/log_file.h"
#include "tests/wine/widgets/hyperlinker_samples.h"
#include "tests/wine/widgets/unit_host.h"
#include "widgets/hyperlinker/link_command.h"
#include "widgets/hyperlinker/open_link.h"

namespace {

constexpr uint32_t kWindow = 0x52090001;
constexpr uint32_t kOwn = 0x06090001;
constexpr uint32_t kLink = 0x16090001;
// A scheme that nothing is registered for: the shell refuses it.
const char kUnknownScheme[] = "morvanetest:";
const char kHtmlClass[] = "MorvaneLinkTestPage";

bool SetClassesDefault(const std::string& keyPath, const std::string& value) {
  HKEY key = nullptr;
  if (RegCreateKeyExA(HKEY_CLASSES_ROOT, keyPath.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &key,
                      nullptr) != ERROR_SUCCESS)
    return false;
  const bool ok =
      RegSetValueExA(key, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                     DWORD(value.size() + 1)) == ERROR_SUCCESS;
  RegCloseKey(key);
  return ok;
}

// Whether a process that this one started still runs.
bool ChildProcessRunning() {
  HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
  if (snapshot == INVALID_HANDLE_VALUE) return false;
  PROCESSENTRY32 entry{};
  entry.dwSize = sizeof entry;
  bool running = false;
  for (BOOL more = Process32First(snapshot, &entry); more && !running;
       more = Process32Next(snapshot, &entry))
    // The desktop that the session's first window starts is a child of
    // whoever made that window, and stays: it is no program of ours.
    running = entry.th32ParentProcessID == GetCurrentProcessId() &&
              lstrcmpiW(entry.szExeFile, L"explorer.exe") != 0;
  CloseHandle(snapshot);
  return running;
}

class LinkOpening : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(TestArgumentCount(), 1);
    standin_ = "\"" + HostPath(TestArgument(0)) + "\"";
    folder_ = MakeScratchFolder("link-opening");
    // The stand-in logs its command line there and ends at once; the
    // variables pass to what the shell and WinExec start from here.
    SetEnvironmentVariableA("MORVANE_STANDIN_LOG", folder_.c_str());
    SetEnvironmentVariableA("MORVANE_STANDIN_QUIT", "1");
  }
  void TearDown() override { RemoveTree(folder_); }

  LogFile StandInLog() const { return LogFile(folder_ + "\\standin.log"); }
  // Waits for a logged line that contains `part`, and answers it.
  std::string WaitForLogged(const std::string& part) const {
    return StandInLog().WaitForLineWith(part);
  }

  std::string standin_;  // quoted
  std::string folder_;
};

TEST_F(LinkOpening, MailLinkReachesTheRegisteredMailProgram) {
  ASSERT_TRUE(SetClassesDefault("mailto\\shell\\open\\command", standin_ + " \"%1\""));
  HyperLinkerProperties link = ColouredLink();
  link.caption = "mail us";
  link.mailAddress = "someone@example.org";
  HostedWindow window(kWindow, {HostWindowRecord(kOwn, 100, 100, 400, 300, 0x00FFFFFF),
                                LinkRecord(kLink, 20, 20, link)});
  ASSERT_TRUE(window.Loaded());
  HWND box = window.Unit(kLink);
  ClickWindow(box);
  const std::string line = WaitForLogged("someone@example.org");
  EXPECT_NE(line.find("mailto:someone@example.org"), std::string::npos) << line;
  EXPECT_EQ(line.find(standin_), 0u) << line;
  // Opened: the visited colour once the pointer has gone (onto the window,
  // where the box holding the capture hears the move).
  const POINT away = OnScreen(box, 40, 60);
  MoveMouseTo(away.x, away.y);
  WaitUntil([&] { return TextTone(Rendering(box), kLinkBack) == kLinkVisited; });
  EXPECT_EQ(TextTone(Rendering(box), kLinkBack), kLinkVisited);
}

TEST_F(LinkOpening, HtmlProgramRunsWhatTheShellRefusesByThePlaceholderRules) {
  ASSERT_TRUE(SetClassesDefault(".htm", kHtmlClass));
  const std::string commandKey = std::string(kHtmlClass) + "\\shell\\open\\command";
  struct Case {
    std::string registered;
    std::string target;
    std::string expected;
  } cases[] = {
      {standin_ + " -quoted \"%1\" -tail", "morvanetest:page-1",
       standin_ + " -quoted  morvanetest:page-1"},
      {standin_ + " -bare %1 -tail", "morvanetest:page-2", standin_ + " -bare  morvanetest:page-2"},
      {standin_ + " -none", "morvanetest:page-3", standin_ + " -none morvanetest:page-3"},
  };
  for (const Case& c : cases) {
    ASSERT_TRUE(SetClassesDefault(commandKey, c.registered));
    HyperLinkerProperties link;
    link.linkKind = 1;
    link.webAddress = c.target;
    EXPECT_TRUE(OpenHyperLink(link, SW_SHOWNORMAL)) << c.registered;
    EXPECT_EQ(WaitForLogged(c.target), c.expected);
  }

  // Without a command for the class, nothing opens.
  ASSERT_TRUE(SetClassesDefault(".htm", "MorvaneLinkTestNoCommand"));
  HyperLinkerProperties unopened;
  unopened.linkKind = 1;
  unopened.webAddress = "morvanetest:page-4";
  EXPECT_FALSE(OpenHyperLink(unopened, SW_SHOWNORMAL));
}

// Space on the focused box presses it as a click does: its target opens.
TEST_F(LinkOpening, SpaceOnTheFocusedBoxOpensItsTarget) {
  ASSERT_TRUE(SetClassesDefault(".htm", kHtmlClass));
  ASSERT_TRUE(
      SetClassesDefault(std::string(kHtmlClass) + "\\shell\\open\\command", standin_ + " \"%1\""));
  HyperLinkerProperties link = ColouredLink();
  link.caption = "keys";
  link.linkKind = 1;
  link.webAddress = kUnknownScheme + std::string("space-press");
  TemplateRecord record = LinkRecord(kLink, 20, 20, link);
  record.flags |= kUnitTabStop;
  HostedWindow window(kWindow, {HostWindowRecord(kOwn, 100, 100, 400, 300, 0x00FFFFFF), record});
  ASSERT_TRUE(window.Loaded());
  SetForegroundWindow(window.Window());
  SetFocus(window.Unit(kLink));
  PressKey(VK_SPACE);
  EXPECT_EQ(WaitForLogged("space-press"), standin_ + "  morvanetest:space-press");
}

// A long target never reaches the shell, whose lookups hold MAX_PATH
// characters: one that the ".htm" command line holds opens there, one that
// it cannot hold opens nothing. The process lives through both.
TEST_F(LinkOpening, LongTargetsBypassTheShellAndOverlongOnesRunNothing) {
  ASSERT_TRUE(SetClassesDefault(".htm", kHtmlClass));
  ASSERT_TRUE(
      SetClassesDefault(std::string(kHtmlClass) + "\\shell\\open\\command", standin_ + " \"%1\""));
  HyperLinkerProperties beyondTheShell;
  beyondTheShell.linkKind = 1;
  beyondTheShell.webAddress = kUnknownScheme + std::string(1500, 'y') + "-end";
  EXPECT_TRUE(OpenHyperLink(beyondTheShell, SW_SHOWNORMAL));
  EXPECT_EQ(WaitForLogged("y-end"), standin_ + "  " + beyondTheShell.webAddress);

  HyperLinkerProperties tooLong;
  tooLong.linkKind = 1;
  tooLong.webAddress = kUnknownScheme + std::string(kLinkCommandCapacity, 'x');
  EXPECT_FALSE(OpenHyperLink(tooLong, SW_SHOWNORMAL));
  // A target that fits starts the program; once every program started from
  // here has ended, a start of the long one would have logged too.
  HyperLinkerProperties fits;
  fits.linkKind = 1;
  fits.webAddress = kUnknownScheme + std::string("short");
  EXPECT_TRUE(OpenHyperLink(fits, SW_SHOWNORMAL));
  EXPECT_EQ(WaitForLogged("morvanetest:short"), standin_ + "  morvanetest:short");
  EXPECT_TRUE(WaitUntil([] { return !ChildProcessRunning(); }));
  for (const std::string& line : StandInLog().Lines())
    EXPECT_EQ(line.find("xxxxxxxx"), std::string::npos);
}

}  // namespace
