// Helpers shared by the Windows tests.
#pragma once

#include <string>

// The arguments after the program name that GoogleTest left alone.
int TestArgumentCount();
const char* TestArgument(int index);

// A Unix path of the build as Wine sees it (drive Z:).
std::string HostPath(const std::string& unixPath);

// The whole content of a file, or false when it cannot be read.
bool ReadWholeFile(const std::string& path, std::string* content);

// Writes `content` to `path`, replacing it. False on any failure.
bool WriteWholeFile(const std::string& path, const std::string& content);

// A new empty folder under the temporary folder, ending without backslash.
std::string MakeScratchFolder(const char* name);

// Deletes a folder and everything in it.
void RemoveTree(const std::string& path);

// Converts UTF-8 (the test sources' encoding) to code page 936.
std::string Gbk(const char* utf8);
