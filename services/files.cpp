#include "services/files.h"

#include <windows.h>

#include "services/handles.h"
#include "services/wide_text.h"

bool WriteBytesToFile(const WidePath& fileName, const ByteBlock* blocks, size_t count) {
  if (fileName.Empty()) return false;

  // The handle is inheritable, as the product's other writers expect.
  SECURITY_ATTRIBUTES security = {sizeof(security), nullptr, TRUE};
  FileHandle file(CreateFileW(fileName.c_str(), GENERIC_WRITE, 0, &security, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file.IsValid()) return false;

  for (size_t i = 0; i < count; ++i) {
    if (blocks[i].size == 0) continue;
    DWORD written = 0;
    // A short write is taken as a full disk.
    if (!WriteFile(file.Get(), blocks[i].data, blocks[i].size, &written, nullptr) ||
        written != blocks[i].size)
      return false;
  }
  return file.Close();
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
