// The uninstaller's pure parts: the second phase's command line, the final
// message and exit code, and how paths are compared.
#include <gtest/gtest.h>

#include <string>

#include "services/code_page.h"
#include "tests/host/gbk.h"
#include "uninstaller/phase_command.h"
#include "uninstaller/uninstall_report.h"

namespace {

TEST(PhaseCommand, ArgumentsReadBackAfterAnyProgramName) {
  PhaseTwo phase;
  phase.waitHandle = 1234;
  phase.original = "C:\\Program Files\\zorva\\" + Gbk("卸载Morvane.exe");
  const std::string arguments = PhaseTwoArguments(phase);
  for (const std::string& program :
       {std::string("\"C:\\Temp\\MorvaneUninstall-0a\\") + Gbk("卸载Morvane.exe") + "\"",
        std::string("copy.exe")}) {
    PhaseTwo read;
    ASSERT_TRUE(ParsePhaseTwo((program + " " + arguments).c_str(), &read)) << program;
    EXPECT_EQ(read.waitHandle, 1234u);
    EXPECT_EQ(read.original, phase.original);
  }
}

TEST(PhaseCommand, AnyOtherCommandLineIsTheFirstPhase) {
  PhaseTwo read;
  for (const char* line : {
           "\"C:\\x\\u.exe\"",                // as the uninstall entry starts it
           "u.exe /phase2",                   // no handle
           "u.exe /phase2 12",                // no original
           "u.exe /phase2 0 \"C:\\u.exe\"",   // no handle either
           "u.exe /phase2 x1 \"C:\\u.exe\"",  // not a number
           "u.exe /phase2 99999999999999999999999 \"C:\\u.exe\"",  // too large
           "u.exe /phase2 12 \"\"",                                // an empty original
           "u.exe /phase2 12 \"C:\\u.exe\" more",                  // something after it
           "u.exe /phase2 12 C:\\u.exe",                           // unquoted
           "u.exe /phase22 12 \"C:\\u.exe\"",                      // another flag
           "\"/phase2 12 \\\"C:\\u.exe\\\"\"",  // the flag inside the program name
       })
    EXPECT_FALSE(ParsePhaseTwo(line, &read)) << line;
}

TEST(UninstallReport, MessageSaysWhatBecameOfEachItemAndTheExitCodeFollowsFailures) {
  UninstallReport done;
  done.removed = {"C:\\a.exe"};
  EXPECT_EQ(FinalMessage(done), Gbk("Morvane 已从您的计算机中删除。"));
  EXPECT_EQ(ExitCodeOf(done), 0);

  UninstallReport again;
  again.notFound = {"C:\\a.exe", "HKEY_CLASSES_ROOT\\.zorva"};
  EXPECT_EQ(FinalMessage(again), Gbk("未找到 Morvane 的安装。") + "\r\n\r\n" +
                                     Gbk("以下项目未找到：") +
                                     "\r\n    C:\\a.exe\r\n    HKEY_CLASSES_ROOT\\.zorva");
  EXPECT_EQ(ExitCodeOf(again), 0);

  UninstallReport partly;
  partly.removed = {"C:\\b.ico"};
  partly.failed = {"C:\\a.exe"};
  partly.atRestart = {"C:\\u.exe"};
  partly.kept = {"C:\\Desktop\\Morvane.lnk"};
  const std::string message = FinalMessage(partly);
  EXPECT_EQ(message.find(Gbk("Morvane 未能完全删除。")), 0u) << message;
  // Failures first, then what waits for the restart, then what was kept.
  const size_t failed = message.find("C:\\a.exe"), restart = message.find("C:\\u.exe"),
               kept = message.find("Morvane.lnk");
  EXPECT_LT(failed, restart);
  EXPECT_LT(restart, kept);
  EXPECT_NE(kept, std::string::npos);
  EXPECT_EQ(ExitCodeOf(partly), 1);

  // Only marked for the restart (the copy could not start) is still removed.
  UninstallReport inPlace;
  inPlace.atRestart = {"C:\\u.exe"};
  EXPECT_EQ(FinalMessage(inPlace).find(Gbk("Morvane 已从您的计算机中删除。")), 0u);
}

TEST(SamePath, AsciiLettersInEitherCaseTwoByteCharactersExactly) {
  EXPECT_TRUE(
      SamePath("C:\\Program Files\\zorva\\Morvane.exe", "c:\\program files\\ZORVA\\morvane.EXE"));
  EXPECT_FALSE(SamePath("C:\\a.exe", "C:\\a.ex"));
  EXPECT_FALSE(SamePath("C:\\a", "C:\\ab"));
  // Second bytes that look like letters are not folded: these are two
  // different characters whose second bytes are 'A' and 'a'.
  EXPECT_FALSE(SamePath("\x81\x41", "\x81\x61"));
  EXPECT_TRUE(SamePath(Gbk("卸载Morvane.exe").c_str(), Gbk("卸载MORVANE.exe").c_str()));
  EXPECT_FALSE(SamePath(Gbk("卸载").c_str(), Gbk("卸").c_str()));
  EXPECT_TRUE(SamePath("", ""));
}

}  // namespace
