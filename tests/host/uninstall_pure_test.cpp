// The uninstaller's pure parts: the second phase's command line, the final
// message and exit code, how paths are compared, and what makes a folder one
// of its private folders.
#include <gtest/gtest.h>

#include <initializer_list>
#include <string>

#include "services/code_page.h"
#include "tests/host/gbk.h"
#include "texts/installation.h"
#include "texts/uninstaller.h"
#include "uninstaller/phase_command.h"
#include "uninstaller/private_folder_rule.h"
#include "uninstaller/uninstall_report.h"

namespace {

TEST(PhaseCommand, ArgumentsReadBackAfterAnyProgramName) {
  PhaseTwo phase;
  phase.waitHandle = 1234;
  phase.reportHandle = 18446744073709551615u;  // the largest there is
  phase.original = std::string("C:\\Program Files\\zorva\\") + kUninstallerName;
  const std::string arguments = PhaseTwoArguments(phase);
  for (const std::string& program :
       {std::string("\"C:\\Temp\\MorvaneUninstall-0a\\") + kUninstallerName + "\"",
        std::string("copy.exe")}) {
    PhaseTwo read;
    ASSERT_TRUE(ParsePhaseTwo((program + " " + arguments).c_str(), &read)) << program;
    EXPECT_EQ(read.waitHandle, 1234u);
    EXPECT_EQ(read.reportHandle, 18446744073709551615u);
    EXPECT_EQ(read.original, phase.original);
  }
}

TEST(PhaseCommand, AnyOtherCommandLineIsTheFirstPhase) {
  PhaseTwo read;
  for (const char* line : {
           "\"C:\\x\\u.exe\"",                   // as the uninstall entry starts it
           "u.exe /phase2",                      // no handle
           "u.exe /phase2 12 34",                // no original
           "u.exe /phase2 12 \"C:\\u.exe\"",     // no pipe
           "u.exe /phase2 0 34 \"C:\\u.exe\"",   // no process either
           "u.exe /phase2 12 0 \"C:\\u.exe\"",   // nor a pipe
           "u.exe /phase2 x1 34 \"C:\\u.exe\"",  // not a number
           "u.exe /phase2 12 3x4 \"C:\\u.exe\"",
           "u.exe /phase2 18446744073709551616 34 \"C:\\u.exe\"",  // too large
           "u.exe /phase2 12 99999999999999999999999 \"C:\\u.exe\"",
           "u.exe /phase2 12 34 \"\"",                // an empty original
           "u.exe /phase2 12 34 \"C:\\u.exe\" more",  // something after it
           "u.exe /phase2 12 34 C:\\u.exe",           // unquoted
           "u.exe /phase22 12 34 \"C:\\u.exe\"",      // another flag
           "\"/phase2 12 34 \\\"C:\\u.exe\\\"\"",     // the flag inside the program name
       })
    EXPECT_FALSE(ParsePhaseTwo(line, &read)) << line;
}

TEST(PhaseOutcome, ReadBackWholeOnlyOnceEveryByteHasCome) {
  PhaseOutcome sent;
  sent.exitCode = 1;
  sent.message = kNotAllRemoved + std::string("\0after a NUL", 12);
  std::string bytes;
  ASSERT_TRUE(EncodeOutcome(sent, &bytes));
  PhaseOutcome read;
  // Any shorter part of it is not yet an outcome, whatever the pipe's pieces.
  for (size_t length = 0; length < bytes.size(); ++length)
    EXPECT_EQ(DecodeOutcome(bytes.substr(0, length), &read), OutcomeRead::Incomplete) << length;
  ASSERT_EQ(DecodeOutcome(bytes, &read), OutcomeRead::Complete);
  EXPECT_EQ(read.exitCode, 1);
  EXPECT_EQ(read.message, sent.message);
  // One outcome, never more.
  EXPECT_EQ(DecodeOutcome(bytes + "x", &read), OutcomeRead::Malformed);

  PhaseOutcome empty;
  empty.exitCode = 0;
  ASSERT_TRUE(EncodeOutcome(empty, &bytes));
  EXPECT_EQ(bytes.size(), 5u);
  ASSERT_EQ(DecodeOutcome(bytes, &read), OutcomeRead::Complete);
  EXPECT_EQ(read.exitCode, 0);
  EXPECT_EQ(read.message, "");
}

TEST(PhaseOutcome, WhatNoCopyOfOursSendsIsRefusedAsSoonAsItShows) {
  PhaseOutcome read;
  // A length past the limit, seen in the header alone: nothing waits for it.
  EXPECT_EQ(DecodeOutcome(std::string("\x01\x00\x10\x00", 4), &read), OutcomeRead::Malformed);
  EXPECT_EQ(DecodeOutcome(std::string{char(0xFF), char(0xFF), char(0xFF), char(0xFF), '\0'}, &read),
            OutcomeRead::Malformed);
  // An exit code that the removal never ends with.
  EXPECT_EQ(DecodeOutcome(std::string("\x00\x00\x00\x00\x02", 5), &read), OutcomeRead::Malformed);
  // The limit itself is still an outcome, only incomplete.
  EXPECT_EQ(DecodeOutcome(std::string("\x00\x00\x10\x00\x01", 5), &read), OutcomeRead::Incomplete);

  std::string bytes;
  PhaseOutcome wrong;
  wrong.exitCode = -1;
  EXPECT_FALSE(EncodeOutcome(wrong, &bytes));
  wrong.exitCode = 0;
  wrong.message.assign(kMaxOutcomeMessage + 1, 'x');
  EXPECT_FALSE(EncodeOutcome(wrong, &bytes));
}

TEST(UninstallReport, MessageSaysWhatBecameOfEachItemAndTheExitCodeFollowsFailures) {
  UninstallReport done;
  done.removed = {"C:\\a.exe"};
  EXPECT_EQ(FinalMessage(done), kRemoved);
  EXPECT_EQ(ExitCodeOf(done), 0);

  UninstallReport again;
  again.notFound = {"C:\\a.exe", "HKEY_CLASSES_ROOT\\.zorva"};
  EXPECT_EQ(FinalMessage(again), std::string(kNothingFound) + "\r\n\r\n" + kNotFoundHeading +
                                     "\r\n    C:\\a.exe\r\n    HKEY_CLASSES_ROOT\\.zorva");
  EXPECT_EQ(ExitCodeOf(again), 0);

  UninstallReport partly;
  partly.removed = {"C:\\b.ico"};
  partly.failed = {"C:\\a.exe"};
  partly.atRestart = {"C:\\u.exe"};
  partly.kept = {"C:\\Desktop\\Morvane.lnk"};
  const std::string message = FinalMessage(partly);
  EXPECT_EQ(message.find(kNotAllRemoved), 0u) << message;
  // Failures first, then what waits for the restart, then what was kept.
  const size_t failed = message.find("C:\\a.exe"), restart = message.find("C:\\u.exe"),
               kept = message.find("Morvane.lnk");
  EXPECT_LT(failed, restart);
  EXPECT_LT(restart, kept);
  EXPECT_NE(kept, std::string::npos);
  EXPECT_EQ(ExitCodeOf(partly), 1);

  // What stayed keeps the uninstaller, and the message says how to go on:
  // right after the failures.
  partly.uninstallerKept = true;
  const std::string withWayBack = FinalMessage(partly);
  const std::string wayBack = kUninstallerKept;
  EXPECT_EQ(withWayBack.find(std::string(kFailedHeading) + "\r\n    C:\\a.exe\r\n\r\n" + wayBack +
                             "\r\n\r\n"),
            std::string(kNotAllRemoved).size() + 4)
      << withWayBack;
  EXPECT_EQ(ExitCodeOf(partly), 1);

  // Only marked for the restart (the copy could not start) is still removed.
  UninstallReport inPlace;
  inPlace.atRestart = {"C:\\u.exe"};
  EXPECT_EQ(FinalMessage(inPlace).find(kRemoved), 0u);
}

TEST(SamePath, AsciiLettersInEitherCaseTwoByteCharactersExactly) {
  EXPECT_TRUE(
      SamePath("C:\\Program Files\\zorva\\Morvane.exe", "c:\\program files\\ZORVA\\morvane.EXE"));
  EXPECT_FALSE(SamePath("C:\\a.exe", "C:\\a.ex"));
  EXPECT_FALSE(SamePath("C:\\a", "C:\\ab"));
  // Second bytes that look like letters are not folded: these are two
  // different characters whose second bytes are 'A' and 'a' (丄 81 41, 乤
  // 81 61).
  EXPECT_FALSE(SamePath(Gbk("丄").c_str(), Gbk("乤").c_str()));
  EXPECT_TRUE(SamePath(kUninstallerName, Gbk("卸载MORVANE.exe").c_str()));
  EXPECT_FALSE(SamePath(Gbk("卸载").c_str(), Gbk("卸").c_str()));
  EXPECT_TRUE(SamePath("", ""));
}

// The cleanup of leftovers goes by this: a name that only looks like ours
// is someone else's folder.
TEST(PrivateFolderRule, OnlyTheExactNameIsOurs) {
  EXPECT_TRUE(IsPrivateFolderName("MorvaneUninstall-0123456789abcdef"));
  EXPECT_TRUE(IsPrivateFolderName("MorvaneUninstall-ffffffffffffffff"));
  for (const char* name : {
           "MorvaneUninstall-0123456789ABCDEF",   // upper case: never drawn
           "MorvaneUninstall-0123456789abcde",    // 15 digits
           "MorvaneUninstall-0123456789abcdef0",  // 17
           "MorvaneUninstall-0123456789abcdeg",   // not a digit
           "MorvaneUninstall-0123456789abcde ",   // nor a space
           "morvaneuninstall-0123456789abcdef",   // another prefix
           "MorvaneUninstall0123456789abcdef0",
           "XMorvaneUninstall-0123456789abcdef",
           "MorvaneUninstall-",
           "",
       })
    EXPECT_FALSE(IsPrivateFolderName(name)) << name;
  EXPECT_FALSE(IsPrivateFolderName(std::string("MorvaneUninstall-0123456789abcde\0", 33)));
}

// The owner and access list as Windows reads them back: ours, with the
// flags that Windows may add, and nothing else.
TEST(PrivateFolderRule, OnlyOurOwnerAndExactlyOurAccessListAreOurs) {
  const std::string entries = "(A;OICI;FA;;;BA)(A;OICI;FA;;;SY)";
  EXPECT_TRUE(IsPrivateFolderSecurity(kPrivateFolderSecurity));
  for (const std::string& sddl : {"O:BAD:P" + entries, "O:SYD:P" + entries, "O:BAD:PAI" + entries,
                                  "O:BAD:PARAI" + entries, "O:BAD:AIP" + entries})
    EXPECT_TRUE(IsPrivateFolderSecurity(sddl)) << sddl;
  for (const std::string& sddl : std::initializer_list<std::string>{
           "O:BUD:P" + entries,                   // the users own it
           "O:S-1-5-21-1-2-3-1000D:P" + entries,  // a user owns it
           "O:WDD:P" + entries,                   // everyone
           "D:P" + entries,                       // no owner
           "O:BAD:" + entries,                    // not protected
           "O:BAD:AI" + entries,                  // inherits
           "O:BAD:PP" + entries,                  // twice
           "O:BAD:PAIAI" + entries,
           "O:BAD:PNO" + entries,                                      // another flag
           "O:BAD:P(A;OICI;FA;;;BA)(A;OICI;FA;;;SY)(A;OICI;FA;;;BU)",  // users let in
           "O:BAD:P(A;OICI;FA;;;BA)(A;OICI;FA;;;SY)(D;OICI;FA;;;BU)",  // even denied
           "O:BAD:P(A;OICI;FA;;;SY)(A;OICI;FA;;;BA)",                  // another order
           "O:BAD:P(A;OICI;FA;;;BA)",                                  // SYSTEM left out
           "O:BAD:P(A;OICIID;FA;;;BA)(A;OICIID;FA;;;SY)",              // inherited
           "O:BAD:P(A;OICI;FR;;;BA)(A;OICI;FA;;;SY)",                  // other rights
           "O:BAD:P",                                                  // an empty list
           "O:BAD:NO_ACCESS_CONTROL",                                  // no list at all
           "O:BAG:BAD:P" + entries,                                    // more than asked
           "O:BAD:P" + entries + "S:(AU;SA;FA;;;WD)",
           "O:BAD:P" + entries + " ",
           "",
       })
    EXPECT_FALSE(IsPrivateFolderSecurity(sddl)) << sddl;
}

}  // namespace
