// What a hyperlink box opens: the target of each link kind, and the command
// line of the ".htm" fallback, built within its room.
#include <gtest/gtest.h>

#include <string>

#include "widgets/hyperlinker/link_command.h"

namespace {

TEST(LinkCommand, TargetOfEachLinkKind) {
  HyperLinkerProperties link;
  link.mailAddress = "someone@example.org";
  link.webAddress = "http://example.org/";
  EXPECT_EQ(LinkTarget(link), "mailto:someone@example.org");
  link.linkKind = 1;
  EXPECT_EQ(LinkTarget(link), "http://example.org/");
  link.webAddress.clear();
  EXPECT_EQ(LinkTarget(link), "");
  link.linkKind = 0;
  link.mailAddress.clear();
  // Not even the scheme: an empty address opens nothing.
  EXPECT_EQ(LinkTarget(link), "");
}

TEST(LinkCommand, PlaceholderRulesCutTheRegisteredCommand) {
  struct Case {
    const char* registered;
    const char* expected;
  } cases[] = {
      // Cut before the quoted placeholder: the blank before it stays, one
      // more follows, and the target goes in unquoted.
      {"\"C:\\b\\view.exe\" -nohome \"%1\" -tail", "\"C:\\b\\view.exe\" -nohome  T:x"},
      {"\"C:\\b\\view.exe\" %1 -tail", "\"C:\\b\\view.exe\"  T:x"},
      {"C:\\b\\view.exe", "C:\\b\\view.exe T:x"},
      // The quoted placeholder wins over an earlier bare one.
      {"view.exe %1 \"%1\"", "view.exe %1  T:x"},
      {"%1", " T:x"},
      {"", " T:x"},
      // A placeholder that is not %1 is not one.
      {"view.exe \"%2\"", "view.exe \"%2\" T:x"},
  };
  for (const Case& c : cases) {
    char buffer[kLinkCommandCapacity];
    EXPECT_TRUE(BuildFallbackCommand(c.registered, "T:x", buffer, sizeof buffer)) << c.registered;
    EXPECT_STREQ(buffer, c.expected) << c.registered;
  }
}

TEST(LinkCommand, CommandLineThatDoesNotFitIsRefused) {
  const std::string command = "view.exe \"%1\"";  // 9 bytes are kept
  // 9 kept + blank + target + terminator.
  const std::string fits(kLinkCommandCapacity - 11, 'a');
  const std::string tooLong(kLinkCommandCapacity - 10, 'a');
  std::string buffer(kLinkCommandCapacity + 16, '#');
  EXPECT_TRUE(
      BuildFallbackCommand(command.c_str(), fits.c_str(), &buffer[0], kLinkCommandCapacity));
  EXPECT_EQ(std::string(buffer.c_str()), "view.exe  " + fits);
  EXPECT_FALSE(
      BuildFallbackCommand(command.c_str(), tooLong.c_str(), &buffer[0], kLinkCommandCapacity));
  EXPECT_EQ(buffer[0], '\0');
  // Nothing was written past the room.
  EXPECT_EQ(buffer.substr(kLinkCommandCapacity), std::string(16, '#'));
  // A registered command longer than the room on its own.
  const std::string huge(kLinkCommandCapacity * 2, 'c');
  EXPECT_FALSE(BuildFallbackCommand(huge.c_str(), "t", &buffer[0], kLinkCommandCapacity));
  char none[1] = {'#'};
  EXPECT_FALSE(BuildFallbackCommand("", "", none, 0));
  EXPECT_EQ(none[0], '#');
}

TEST(LinkCommand, OpenCommandKeyOfTheClass) {
  char buffer[kLinkClassCapacity + 32];
  EXPECT_TRUE(BuildOpenCommandKey("htmlfile", buffer, sizeof buffer));
  EXPECT_STREQ(buffer, "htmlfile\\shell\\open\\command");
  const std::string longest(kLinkClassCapacity - 1, 'k');
  EXPECT_TRUE(BuildOpenCommandKey(longest.c_str(), buffer, sizeof buffer));
  EXPECT_EQ(std::string(buffer), longest + "\\shell\\open\\command");
  EXPECT_FALSE(BuildOpenCommandKey(longest.c_str(), buffer, kLinkClassCapacity));
}

}  // namespace
