#include "services/files.h"

#include <windows.h>

#include "services/handles.h"
#include "services/temporary_file_name.h"
#include "services/wide_text.h"

namespace {

// A temporary name is tried this many times before the write gives up: each
// that exists is someone's, never taken over.
constexpr int kNameAttempts = 16;

// A new file under a temporary name beside `target`, open for writing; its
// name goes to *name.
HANDLE CreateTemporaryFile(const Text& target, Text* name) {
  static uint32_t counter = 0;
  const uint32_t seed = (GetCurrentProcessId() << 16) ^ GetTickCount();
  // The handle is inheritable, as the product's other writers expect.
  SECURITY_ATTRIBUTES security = {sizeof(security), nullptr, TRUE};
  for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
    *name = TemporaryFileName(target, seed + ++counter);
    HANDLE file = CreateFileW(WideText(*name).c_str(), GENERIC_WRITE, 0, &security, CREATE_NEW,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file != INVALID_HANDLE_VALUE) return file;
    const DWORD error = GetLastError();
    if (error != ERROR_FILE_EXISTS && error != ERROR_ALREADY_EXISTS) break;
  }
  return INVALID_HANDLE_VALUE;
}

// Every block in one WriteFile call each, then to the disk itself: a file
// that reached only the cache could read back as zeros after a power cut,
// though the installation said it was done.
bool WriteAndFlush(HANDLE file, const ByteBlock* blocks, size_t count) {
  for (size_t i = 0; i < count; ++i) {
    if (blocks[i].size == 0) continue;
    DWORD written = 0;
    // A short write is taken as a full disk.
    if (!WriteFile(file, blocks[i].data, blocks[i].size, &written, nullptr) ||
        written != blocks[i].size)
      return false;
  }
  return FlushFileBuffers(file) != FALSE;
}

}  // namespace

bool WriteBytesToFile(const Text& fileName, const ByteBlock* blocks, size_t count) {
  if (fileName.empty()) return false;
  Text temporary;
  FileHandle file(CreateTemporaryFile(fileName, &temporary));
  if (!file.IsValid()) return false;
  const WideText temporaryName(temporary);
  const bool written = WriteAndFlush(file.Get(), blocks, count);
  // Windows refuses to replace a file that is open without delete sharing
  // (a running program, a file held by another process): the target then
  // stays as it was. Write-through: the move itself is on the disk when it
  // returns.
  if (!file.Close() || !written ||
      !MoveFileExW(temporaryName.c_str(), WideText(fileName).c_str(),
                   MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    DeleteFileW(temporaryName.c_str());
    return false;
  }
  return true;
}

std::vector<Text> LeftoverTemporaryFiles(const Text& target) {
  std::vector<Text> leftovers;
  const Text targetName = FileNameOf(target);
  if (targetName.empty() || targetName.size() == target.size()) return leftovers;
  const Text folder = target.substr(0, target.size() - targetName.size());
  WIN32_FIND_DATAW found;
  HANDLE search = FindFirstFileW(WideText(TemporaryFilePattern(target)).c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return leftovers;
  do {
    const Text name = TextOfWide(found.cFileName);
    if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && IsTemporaryFileOf(name, targetName))
      leftovers.push_back(folder + name);
  } while (FindNextFileW(search, &found));
  FindClose(search);
  return leftovers;
}

bool CreateFolder(const Text& path) {
  return CreateDirectoryW(WideText(path).c_str(), nullptr) != FALSE;
}

bool FileExists(const Text& pattern) {
  WIN32_FIND_DATAW found;
  HANDLE search = FindFirstFileW(WideText(pattern).c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return false;
  FindClose(search);
  return true;
}

namespace {

bool NotThere(DWORD error) {
  return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
}

}  // namespace

Removal DeleteFileAt(const Text& path) {
  const WideText name(path);
  const DWORD attributes = GetFileAttributesW(name.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES)
    return NotThere(GetLastError()) ? Removal::NotFound : Removal::Failed;
  if (attributes & FILE_ATTRIBUTE_DIRECTORY) return Removal::Failed;
  // A read-only file refuses deletion; the attribute is ours to clear.
  if (attributes & FILE_ATTRIBUTE_READONLY)
    SetFileAttributesW(name.c_str(), attributes & ~DWORD(FILE_ATTRIBUTE_READONLY));
  return DeleteFileW(name.c_str()) ? Removal::Removed : Removal::Failed;
}

Removal RemoveEmptyFolder(const Text& path) {
  const WideText name(path);
  const DWORD attributes = GetFileAttributesW(name.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES)
    return NotThere(GetLastError()) ? Removal::NotFound : Removal::Failed;
  if (!(attributes & FILE_ATTRIBUTE_DIRECTORY)) return Removal::Failed;
  // RemoveDirectory takes away an empty folder, or a junction itself.
  return RemoveDirectoryW(name.c_str()) ? Removal::Removed : Removal::Failed;
}

bool IsLinkOrJunction(const Text& path) {
  const DWORD attributes = GetFileAttributesW(WideText(path).c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_REPARSE_POINT);
}

bool PathExists(const Text& path) {
  return GetFileAttributesW(WideText(path).c_str()) != INVALID_FILE_ATTRIBUTES;
}
