// The manifest and the version block of the built setup program, and of the
// uninstaller it carries, read from the file as Windows reads them.
// Arguments: the program, and "setup" or "uninstaller".
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/test_support.h"
#include "texts/version_texts.h"

namespace {

std::string ProgramPath() { return HostPath(TestArgument(0)); }
bool IsUninstaller() {
  return TestArgumentCount() > 1 && std::string(TestArgument(1)) == "uninstaller";
}

class SetupResources : public ::testing::Test {
 protected:
  void SetUp() override {
    module_ = LoadLibraryExA(ProgramPath().c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_TRUE(module_) << ProgramPath();
  }
  void TearDown() override {
    if (module_) FreeLibrary(module_);
  }
  std::string Resource(LPCSTR name, LPCSTR type) {
    HRSRC found = FindResourceA(module_, name, type);
    if (!found) return std::string();
    HGLOBAL loaded = LoadResource(module_, found);
    return std::string(static_cast<const char*>(LockResource(loaded)),
                       SizeofResource(module_, found));
  }
  HMODULE module_ = nullptr;
};

TEST_F(SetupResources, ManifestAsksForAdministratorAndCommonControlsSix) {
  const std::string manifest = Resource(MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(24));
  ASSERT_FALSE(manifest.empty());
  EXPECT_NE(manifest.find("level=\"requireAdministrator\""), std::string::npos);
  EXPECT_NE(manifest.find("uiAccess=\"false\""), std::string::npos);
  const size_t controls = manifest.find("name=\"Microsoft.Windows.Common-Controls\"");
  ASSERT_NE(controls, std::string::npos);
  EXPECT_NE(manifest.find("version=\"6.0.0.0\"", controls), std::string::npos);
  EXPECT_NE(manifest.find("publicKeyToken=\"6595b64144ccf1df\""), std::string::npos);
  // Windows 10 and 11, and Windows 7.
  EXPECT_NE(manifest.find("{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}"), std::string::npos);
  EXPECT_NE(manifest.find("{35138b9a-5d96-4fbd-8e2d-a2440225f93a}"), std::string::npos);
  EXPECT_NE(manifest.find("<dpiAware>false</dpiAware>"), std::string::npos);
}

TEST_F(SetupResources, IconAndHandPointerAreThere) {
  if (IsUninstaller()) {
    // It shows message boxes only.
    EXPECT_FALSE(FindResourceW(module_, MAKEINTRESOURCEW(101), RT_GROUP_CURSOR));
    return;
  }
  EXPECT_TRUE(FindResourceW(module_, MAKEINTRESOURCEW(1), RT_GROUP_ICON));
  EXPECT_TRUE(FindResourceW(module_, MAKEINTRESOURCEW(101), RT_GROUP_CURSOR));
}

std::string StringValue(const std::vector<char>& block, const char* name) {
  std::string path = std::string("\\StringFileInfo\\080404b0\\") + name;
  char* value = nullptr;
  UINT length = 0;
  if (!VerQueryValueA(block.data(), path.c_str(), reinterpret_cast<void**>(&value), &length))
    return "<missing>";
  return std::string(value);
}

TEST(SetupVersion, VersionBlockNamesProductPublisherAndOneNineZeroZero) {
  const std::string path = ProgramPath();
  DWORD handle = 0;
  const DWORD size = GetFileVersionInfoSizeA(path.c_str(), &handle);
  ASSERT_GT(size, 0u);
  std::vector<char> block(size);
  ASSERT_TRUE(GetFileVersionInfoA(path.c_str(), 0, size, block.data()));
  VS_FIXEDFILEINFO* fixed = nullptr;
  UINT length = 0;
  ASSERT_TRUE(VerQueryValueA(block.data(), "\\", reinterpret_cast<void**>(&fixed), &length));
  EXPECT_EQ(fixed->dwFileVersionMS, 0x00010009u);
  EXPECT_EQ(fixed->dwFileVersionLS, 0u);
  EXPECT_EQ(fixed->dwProductVersionMS, 0x00010009u);
  EXPECT_EQ(fixed->dwProductVersionLS, 0u);
  EXPECT_EQ(fixed->dwFileType, DWORD(VFT_APP));
  EXPECT_EQ(StringValue(block, "ProductName"), "Morvane");
  EXPECT_EQ(StringValue(block, "CompanyName"), "Quenrith");
  EXPECT_EQ(StringValue(block, "FileVersion"), "1.9.0.0");
  EXPECT_EQ(StringValue(block, "ProductVersion"), "1.9.0.0");
  if (IsUninstaller()) {
    EXPECT_EQ(StringValue(block, "OriginalFilename"), Cp936Of(kUninstallerFileName));
    EXPECT_EQ(StringValue(block, "FileDescription"), Cp936Of(kUninstallerFileDescription));
  } else {
    EXPECT_EQ(StringValue(block, "OriginalFilename"), "MorvaneSetup.exe");
    EXPECT_EQ(StringValue(block, "FileDescription"), Cp936Of(kSetupFileDescription));
  }
  EXPECT_EQ(StringValue(block, "LegalCopyright"), Cp936Of(kCopyright));
}

}  // namespace
