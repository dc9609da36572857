// Helpers shared by the Windows tests.
#pragma once

#include <string>

// The exit code of a test run in which a case was skipped and none failed.
constexpr int kSkippedExitCode = 77;

// The arguments after the program name that GoogleTest left alone.
int TestArgumentCount();
const char* TestArgument(int index);

// A Unix path of the build as Wine sees it (drive Z:).
std::string HostPath(const std::string& unixPath);

// The whole content of a file, or false when it cannot be read.
bool ReadWholeFile(const std::string& path, std::string* content);

// ReadWholeFile as a 64-bit program sees the file system: a 32-bit test on
// 64-bit Windows reads past the redirection of its system directory (where
// "System32" is the 64-bit system folder, not the 32-bit one). Elsewhere the
// same as ReadWholeFile.
bool ReadWholeFileAs64BitProgram(const std::string& path, std::string* content);

// Whether this process is a 32-bit program on 64-bit Windows.
bool RunsUnderWow64();

// Writes `content` to `path`, replacing it. False on any failure.
bool WriteWholeFile(const std::string& path, const std::string& content);

// A new empty folder under the temporary folder, ending without backslash.
std::string MakeScratchFolder(const char* name);

// Deletes a folder and everything in it.
void RemoveTree(const std::string& path);

// Converts UTF-8 (the test sources' encoding) to code page 936.
std::string Gbk(const char* utf8);
