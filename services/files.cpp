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
HANDLE CreateTemporaryFile(const WidePath& target, WidePath* name) {
  static uint32_t counter = 0;
  const uint32_t seed = (GetCurrentProcessId() << 16) ^ GetTickCount();
  // The handle is inheritable, as the product's other writers expect.
  SECURITY_ATTRIBUTES security = {sizeof(security), nullptr, TRUE};
  for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
    *name = target + WidePath(TemporaryFileSuffix(seed + ++counter));
    HANDLE file = CreateFileW(name->c_str(), GENERIC_WRITE, 0, &security, CREATE_NEW,
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

bool WriteBytesToFile(const WidePath& fileName, const ByteBlock* blocks, size_t count) {
  if (fileName.Empty()) return false;
  WidePath temporaryName;
  FileHandle file(CreateTemporaryFile(fileName, &temporaryName));
  if (!file.IsValid()) return false;
  const bool written = WriteAndFlush(file.Get(), blocks, count);
  // Windows refuses to replace a file that is open without delete sharing
  // (a running program, a file held by another process): the target then
  // stays as it was. Write-through: the move itself is on the disk when it
  // returns.
  if (!file.Close() || !written ||
      !MoveFileExW(temporaryName.c_str(), fileName.c_str(),
                   MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    DeleteFileW(temporaryName.c_str());
    return false;
  }
  return true;
}

std::vector<WidePath> LeftoverTemporaryFiles(const WidePath& target) {
  std::vector<WidePath> leftovers;
  const size_t slash = target.LastBackslash();
  if (slash == target.Length() || slash + 1 == target.Length()) return leftovers;
  const WidePath folder = target.Head(slash + 1);
  const WidePath targetName = target.Tail(slash + 1);
  WIN32_FIND_DATAW found;
  HANDLE search = FindFirstFileW((target + WidePath(TemporaryFilePattern(""))).c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return leftovers;
  do {
    // The target's own name as Windows holds it, then the writer's suffix,
    // which is ASCII: a search also matches short names, so both are checked.
    const WidePath name = WidePath::OfUnits(found.cFileName);
    if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) ||
        name.Length() <= targetName.Length() ||
        wcsncmp(name.c_str(), targetName.c_str(), targetName.Length()) != 0 ||
        !IsTemporaryFileSuffix(TextOfWide(name.c_str() + targetName.Length())))
      continue;
    leftovers.push_back(folder + name);
  } while (FindNextFileW(search, &found));
  FindClose(search);
  return leftovers;
}

bool CreateFolder(const WidePath& path) { return CreateDirectoryW(path.c_str(), nullptr) != FALSE; }

bool FileExists(const WidePath& pattern) {
  WIN32_FIND_DATAW found;
  HANDLE search = FindFirstFileW(pattern.c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return false;
  FindClose(search);
  return true;
}

namespace {

bool NotThere(DWORD error) {
  return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
}

}  // namespace

Removal DeleteFileAt(const WidePath& path) {
  const DWORD attributes = GetFileAttributesW(path.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES)
    return NotThere(GetLastError()) ? Removal::NotFound : Removal::Failed;
  if (attributes & FILE_ATTRIBUTE_DIRECTORY) return Removal::Failed;
  // A read-only file refuses deletion; the attribute is ours to clear.
  if (attributes & FILE_ATTRIBUTE_READONLY)
    SetFileAttributesW(path.c_str(), attributes & ~DWORD(FILE_ATTRIBUTE_READONLY));
  return DeleteFileW(path.c_str()) ? Removal::Removed : Removal::Failed;
}

Removal RemoveEmptyFolder(const WidePath& path) {
  const DWORD attributes = GetFileAttributesW(path.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES)
    return NotThere(GetLastError()) ? Removal::NotFound : Removal::Failed;
  if (!(attributes & FILE_ATTRIBUTE_DIRECTORY)) return Removal::Failed;
  // RemoveDirectory takes away an empty folder, or a junction itself.
  return RemoveDirectoryW(path.c_str()) ? Removal::Removed : Removal::Failed;
}

bool IsLinkOrJunction(const WidePath& path) {
  const DWORD attributes = GetFileAttributesW(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_REPARSE_POINT);
}

bool PathExists(const WidePath& path) {
  return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}
