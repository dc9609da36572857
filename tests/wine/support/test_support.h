// Helpers shared by the Windows tests. Texts are code page 936, as the
// product's are; whatever goes to or comes from Windows here goes through the
// wide API (support/test_text.h), so that a test sees what Windows holds on
// any machine.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "support/test_text.h"

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

// A new empty folder under the temporary folder, ending without backslash
// (under C:\ where the temporary folder's name has no code-page-936 form).
std::string MakeScratchFolder(const char* name);

// Deletes a folder and everything in it.
void RemoveTree(const std::string& path);

// The names of what a folder holds, in the order the search gives them
// ("." and ".." left out); none when it cannot be read.
std::vector<std::string> NamesIn(const std::string& folder);

// At any length of the path, given in its "\\?\" form.
void RemoveTree(const std::wstring& path);

// Calls `visit` for each entry directly in `folder` (not "." and ".."), with
// its whole path and what the search found of it.
void ForEachEntry(
    const std::wstring& folder,
    const std::function<void(const std::wstring& path, const WIN32_FIND_DATAW& found)>& visit);

// Every name under a folder with its path below it, subfolders included, in
// UTF-8: what a folder of the user's holds, whatever the user's name.
std::vector<std::string> TreeOf(const std::wstring& folder);

// The system's temporary folder (%SystemRoot%\Temp) and the user's, each
// ending in a backslash.
std::wstring SystemTempFolder();
std::wstring UserTempFolder();

// A new folder made with the security descriptor `sddl`. False when Windows
// refuses either.
bool CreateFolderWithSecurity(const std::wstring& path, const char* sddl);

// The owner and access list of a file or folder in SDDL, as Windows reads
// them back; empty when it cannot.
std::string SecurityOf(const std::wstring& path);

// A link at `link` (a new name) that leads to the folder `target`: a
// junction (FSCTL_SET_REPARSE_POINT) where the system makes them; where it
// refuses (Wine), a Unix symbolic link made by the Unix ln, which Wine
// starts as it starts any program and shows as a reparse point. False when
// neither could be made.
bool MakeFolderLink(const std::wstring& link, const std::wstring& target);
