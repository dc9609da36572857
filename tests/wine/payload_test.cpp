// Deployment of the embedded payload, on a fresh prefix. The arguments are
// the payload files the build embedded: the written files must equal them.
#include "installer/payload.h"

#include <windows.h>

#include <gtest/gtest.h>

#include "installer/machine_folders.h"
#include "services/files.h"
#include "support/test_support.h"
#include "texts/installation.h"

namespace {

const std::string kInstallFolder = PathOf(kInstallationFolder.path, MachineFolders());
const std::string kMainProgramPath = PathOf(kMainProgram.path, MachineFolders());

std::string Supplied(int index) {
  std::string content;
  EXPECT_TRUE(ReadWholeFile(HostPath(TestArgument(index)), &content)) << TestArgument(index);
  return content;
}

std::string Installed(const std::string& path) {
  std::string content;
  EXPECT_TRUE(ReadWholeFile(path, &content)) << path;
  return content;
}

std::string BlockBytes(PayloadBlock stored) {
  ByteBlock block;
  EXPECT_TRUE(PayloadBytes(stored, &block));
  return std::string(reinterpret_cast<const char*>(block.data), block.size);
}

class PayloadTest : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(TestArgumentCount(), 3) << "main program, uninstaller, icon";
    RemoveTree(kInstallFolder);
    DeleteFileA(kInstallFolder.c_str());
  }
};

TEST_F(PayloadTest, BlocksEqualTheSuppliedFiles) {
  EXPECT_EQ(BlockBytes(PayloadBlock::MainProgram), Supplied(0));
  EXPECT_EQ(BlockBytes(PayloadBlock::Uninstaller), Supplied(1));
  EXPECT_EQ(BlockBytes(PayloadBlock::ProductIcon), Supplied(2));
  uint32_t count;
  memcpy(&count, MainProgramImage, 4);
  EXPECT_EQ(count, 1u) << "dimension count";
}

// Each block's checksum is its own: it holds as built, and one changed byte
// (changed in memory here, then put back) is seen in that block alone.
TEST_F(PayloadTest, AChangedByteIsSeenInItsBlockAlone) {
  const PayloadBlock blocks[] = {PayloadBlock::MainProgram, PayloadBlock::Uninstaller,
                                 PayloadBlock::ProductIcon};
  for (PayloadBlock block : blocks) EXPECT_TRUE(PayloadIntact(block)) << int(block);
  for (PayloadBlock damaged : blocks) {
    ByteBlock bytes;
    ASSERT_TRUE(PayloadBytes(damaged, &bytes));
    uint8_t* byte = const_cast<uint8_t*>(bytes.data + bytes.size / 2);
    DWORD protection = 0;
    ASSERT_TRUE(VirtualProtect(byte, 1, PAGE_READWRITE, &protection));
    *byte ^= 0x01;
    for (PayloadBlock block : blocks)
      EXPECT_EQ(PayloadIntact(block), block != damaged) << int(block) << " with " << int(damaged);
    *byte ^= 0x01;
    VirtualProtect(byte, 1, protection, &protection);
  }
}

TEST_F(PayloadTest, FirstInstallationCreatesTheFolderAndWritesEveryFile) {
  ASSERT_FALSE(FileExists(kInstallFolder));
  PrepareFolder(kInstallationFolder);
  ASSERT_TRUE(FileExists(kInstallFolder));
  for (const FileItem* file : kFiles) EXPECT_TRUE(WriteFileItem(*file)) << file->path.name;
  const std::string iconPath = Cp936Of(PathOnMachine(kProductIcon.path).c_str());

  EXPECT_EQ(Installed(kMainProgramPath), Supplied(0));
  EXPECT_EQ(Installed(std::string("C:\\Program Files\\zorva\\") + kUninstallerName), Supplied(1));
  // The icon went to the system directory, and its path finds it for a
  // 64-bit program too: under WoW64 that path names the 32-bit system folder,
  // the one the write was redirected to; elsewhere it is the system directory.
  char system[MAX_PATH];
  if (RunsUnderWow64())
    GetSystemWow64DirectoryA(system, MAX_PATH);
  else
    GetSystemDirectoryA(system, MAX_PATH);
  EXPECT_EQ(iconPath, std::string(system) + "\\zorva.ico");
  EXPECT_EQ(Installed(iconPath), Supplied(2));
  std::string seenBy64BitPrograms;
  EXPECT_TRUE(ReadWholeFileAs64BitProgram(iconPath, &seenBy64BitPrograms));
  EXPECT_EQ(seenBy64BitPrograms, Supplied(2));
}

// The stand-in icon's nine images (the installed copy equals the supplied
// file, above). A build that embeds the real payload skips this: its icon
// may hold any number of images.
TEST(StandInPayload, TheIconHoldsNineImages) {
  if (!MORVANE_STANDIN_PAYLOAD) GTEST_SKIP() << "the build embeds the real payload";
  ASSERT_EQ(TestArgumentCount(), 3) << "main program, uninstaller, icon";
  const std::string icon = Supplied(2);
  ASSERT_GE(icon.size(), 6u);
  EXPECT_EQ(icon.substr(0, 6), std::string("\0\0\1\0\x09\0", 6)) << "reserved 0, type 1, 9 images";
}

TEST_F(PayloadTest, ExistingFolderIsKeptAndFilesReplaced) {
  ASSERT_TRUE(CreateFolder(kInstallFolder));
  ASSERT_TRUE(WriteWholeFile(std::string(kInstallFolder) + "\\other.txt", "kept"));
  ASSERT_TRUE(WriteWholeFile(kMainProgramPath, std::string(5000000, 'x')));
  PrepareFolder(kInstallationFolder);
  EXPECT_TRUE(FileExists(std::string(kInstallFolder) + "\\other.txt"));
  ASSERT_TRUE(WriteFileItem(kMainProgram));
  EXPECT_EQ(Installed(kMainProgramPath), Supplied(0));
}

TEST_F(PayloadTest, PlainFileInPlaceOfTheFolderFailsTheMainProgram) {
  ASSERT_TRUE(WriteWholeFile(kInstallFolder, "not a folder"));
  PrepareFolder(kInstallationFolder);
  EXPECT_FALSE(WriteFileItem(kMainProgram));
  EXPECT_EQ(Installed(kInstallFolder), "not a folder");
  DeleteFileA(kInstallFolder.c_str());
}

}  // namespace
