// The peer bench's reference installer writes what the setup program
// writes: its NSIS commands made from the installation table.
#include "bench/peer/reference_items.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "installer/installation_layout.h"
#include "texts/installation.h"
#include "texts/setup_messages.h"

namespace {

TEST(ReferenceItems, TheScriptWritesTheTableInTheSetupProgramsOrder) {
  const std::string program = "C:\\Program Files\\zorva\\Morvane.exe";
  const std::string open = "'\"" + program + "\" \"%1\"'";
  const std::string entry =
      "HKEY_LOCAL_MACHINE \"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Morvane\" ";
  const std::string expected =
      "; What the setup program writes, in its order, made from its installation\n"
      "; table (bench/peer/reference_items.cpp).\n"
      "!define MORVANE_INSTALL_DIR \"C:\\Program Files\\zorva\"\n"
      "!define MORVANE_DONE_MESSAGE \"" +
      std::string(kInstallDone) +
      "\"\n"
      "!macro MorvaneItems\n"
      "  SetOutPath \"C:\\Program Files\\zorva\"\n"
      "  File \"/oname=Morvane.exe\" \"${PAYLOAD}/main-program.bin\"\n"
      "  File \"/oname=" +
      std::string(kUninstallerName) +
      "\" \"${PAYLOAD}/uninstaller.bin\"\n"
      "  SetOutPath \"$SYSDIR\"\n"
      "  File \"/oname=zorva.ico\" \"${PAYLOAD}/product-icon.bin\"\n"
      "  WriteRegStr HKEY_CLASSES_ROOT \".zorva\" \"\" \"zorvafile\"\n"
      "  WriteRegStr HKEY_CLASSES_ROOT \"zorvafile\" \"\" \"" +
      kClassDisplayName +
      "\"\n"
      "  WriteRegStr HKEY_CLASSES_ROOT \"zorvafile\\DefaultIcon\" \"\" \"$SYSDIR\\zorva.ico,0\"\n"
      "  WriteRegStr HKEY_CLASSES_ROOT \"zorvafile\\shell\\open\\command\" \"\" " +
      open +
      "\n"
      "  WriteRegStr HKEY_CLASSES_ROOT \"zorvafile\" \"NeverShowExt\" \"\"\n"
      "  System::Call 'shell32::SHChangeNotify(i 0x08000000, i 0, p 0, p 0)'\n"
      "  ClearErrors\n"
      "  ReadRegStr $0 HKEY_CLASSES_ROOT \"*\\shell\\Morvane\\command\" \"\"\n"
      "  IfErrors 0 +2\n"
      "    WriteRegStr HKEY_CLASSES_ROOT \"*\\shell\\Morvane\\command\" \"\" " +
      open +
      "\n"
      "  ClearErrors\n"
      "  ReadRegStr $0 HKEY_CLASSES_ROOT \"Directory\\shell\\Morvane\\command\" \"\"\n"
      "  IfErrors 0 +2\n"
      "    WriteRegStr HKEY_CLASSES_ROOT \"Directory\\shell\\Morvane\\command\" \"\" " +
      open +
      "\n"
      "  CreateDirectory \"$SMPROGRAMS\\tervilo\"\n"
      "  CreateShortCut \"$DESKTOP\\Morvane.lnk\" \"" +
      program +
      "\"\n"
      "  CreateShortCut \"$SMPROGRAMS\\tervilo\\Morvane.lnk\" \"" +
      program +
      "\"\n"
      "  CreateShortCut \"$SMPROGRAMS\\tervilo\\" +
      kUninstallShortcutName + ".lnk\" \"C:\\Program Files\\zorva\\" + kUninstallerName +
      "\"\n"
      "  WriteRegStr " +
      entry + "\"DisplayIcon\" \"" + program +
      "\"\n"
      "  WriteRegStr " +
      entry +
      "\"DisplayName\" \"Morvane\"\n"
      "  WriteRegStr " +
      entry +
      "\"DisplayVersion\" \"1.3\"\n"
      "  WriteRegStr " +
      entry + "\"UninstallString\" '\"C:\\Program Files\\zorva\\" + kUninstallerName +
      "\"'\n"
      "  WriteRegStr " +
      entry +
      "\"Publisher\" \"Quenrith\"\n"
      "  WriteRegStr " +
      entry + "\"URLInfoAbout\" \"" + kHomePage +
      "\"\n"
      "!macroend\n";
  // These lines in this order; a value that the table gains brings a line of
  // its own, so every value has one.
  const std::string script = ReferenceItems();
  std::vector<std::string> lines;
  for (size_t from = 0, to; (to = script.find('\n', from)) != std::string::npos; from = to + 1)
    lines.push_back(script.substr(from, to - from + 1));
  size_t at = 0, writes = 0;
  for (size_t from = 0, to; (to = expected.find('\n', from)) != std::string::npos; from = to + 1) {
    const std::string line = expected.substr(from, to - from + 1);
    while (at < lines.size() && lines[at] != line) ++at;
    ASSERT_LT(at, lines.size()) << "missing or out of order: " << line << script;
    ++at;
  }
  for (const std::string& line : lines) writes += line.find("WriteRegStr ") != std::string::npos;
  EXPECT_EQ(writes, kRegistryValues.count) << script;
  EXPECT_EQ(lines.back(), "!macroend\n");
}

}  // namespace
