#include "uninstaller/private_folder.h"

#include <windows.h>
#include <aclapi.h>
#include <sddl.h>
#include <wincrypt.h>

#include <memory>
#include <type_traits>

#include "services/system_library.h"
#include "services/wide_text.h"
#include "uninstaller/private_folder_rule.h"

namespace {

constexpr size_t kRandomBytes = kPrivateFolderDigits / 2;

// advapi32's CryptoAPI, looked up once the DLL search is restricted rather
// than imported: Windows 7 and later forward it to cryptsp.dll, no KnownDLL,
// which the loader would look for beside the program before the program's
// first instruction. cryptsp.dll (absent before Windows 7) and the provider
// that CryptAcquireContext loads for PROV_RSA_FULL, rsaenh.dll, are loaded
// first by their full path, so that both are found loaded where Windows
// lacks SetDefaultDllDirectories.
using CryptAcquireContextFn = BOOL(WINAPI*)(HCRYPTPROV*, LPCWSTR, LPCWSTR, DWORD, DWORD);
using CryptGenRandomFn = BOOL(WINAPI*)(HCRYPTPROV, DWORD, BYTE*);
using CryptReleaseContextFn = BOOL(WINAPI*)(HCRYPTPROV, DWORD);

bool RandomBytes(BYTE* bytes, DWORD count) {
  const SystemLibrary forwardedTo("cryptsp.dll");
  const SystemLibrary provider("rsaenh.dll");
  const SystemLibrary advapi("advapi32.dll");
  auto acquire = OptionalFunction<CryptAcquireContextFn>(advapi.Get(), "CryptAcquireContextW");
  auto generate = OptionalFunction<CryptGenRandomFn>(advapi.Get(), "CryptGenRandom");
  auto release = OptionalFunction<CryptReleaseContextFn>(advapi.Get(), "CryptReleaseContext");
  HCRYPTPROV context = 0;
  if (!acquire || !generate || !release ||
      !acquire(&context, nullptr, nullptr, PROV_RSA_FULL, CRYPT_VERIFYCONTEXT | CRYPT_SILENT))
    return false;
  const bool ok = generate(context, count, bytes) != FALSE;
  release(context, 0);
  return ok;
}

Text RandomName() {
  BYTE bytes[kRandomBytes];
  if (!RandomBytes(bytes, sizeof bytes)) return Text();
  static const char kHex[] = "0123456789abcdef";
  Text name = kPrivateFolderPrefix;
  for (BYTE b : bytes) {
    name += kHex[b >> 4];
    name += kHex[b & 15];
  }
  return name;
}

// What the security functions hand out from the local heap (descriptors,
// their text), freed when it goes.
struct LocalFreeing {
  void operator()(void* memory) const { LocalFree(memory); }
};
template <typename Pointer>
using LocalMemory = std::unique_ptr<std::remove_pointer_t<Pointer>, LocalFreeing>;

// The descriptor a private folder is made with; empty where the system
// cannot make it.
LocalMemory<PSECURITY_DESCRIPTOR> PrivateFolderDescriptor() {
  PSECURITY_DESCRIPTOR made = nullptr;
  ConvertStringSecurityDescriptorToSecurityDescriptorW(WideText(kPrivateFolderSecurity).c_str(),
                                                       SDDL_REVISION_1, &made, nullptr);
  return LocalMemory<PSECURITY_DESCRIPTOR>(made);
}

// %SystemRoot%\Temp, ending in a backslash: the Windows folder that all
// users share (GetSystemWindowsDirectory, also where a terminal server gives
// each user a Windows folder of their own). Empty where Windows does not say.
WidePath SystemTemporaryFolder() {
  wchar_t units[MAX_PATH];
  const UINT length = GetSystemWindowsDirectoryW(units, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return WidePath();
  WidePath folder = WidePath::OfUnits(units, length);
  if (folder.Last() != L'\\') folder += "\\";
  return folder + "Temp\\";
}

// A name or descriptor that Windows gives, as the ASCII text the rule reads;
// false where it holds anything else, which no name or descriptor of ours
// does.
bool AsciiOf(const wchar_t* units, Text* text) {
  text->clear();
  for (; *units; ++units) {
    if (*units >= 0x80) return false;
    *text += char(*units);
  }
  return true;
}

// Opens `path` itself, a link or junction included, never what it leads
// to, shared for reading and writing but not for deletion: while the handle
// is open nobody can rename, delete or replace what it is open on. Windows
// weighs a share mode only against handles with read, write or delete
// access, hence FILE_LIST_DIRECTORY, a folder's read access.
HANDLE HoldFolder(const WidePath& path) {
  return CreateFileW(path.c_str(), FILE_LIST_DIRECTORY | FILE_READ_ATTRIBUTES | READ_CONTROL,
                     FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                     FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
}

// Whether the held handle is open on a folder and no link or junction.
bool IsPlainFolder(HANDLE held) {
  BY_HANDLE_FILE_INFORMATION information;
  return GetFileInformationByHandle(held, &information) &&
         (information.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) &&
         !(information.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT);
}

// Whether the owner and access list of what the handle holds are a private
// folder's.
bool HasPrivateSecurity(HANDLE held) {
  // GetSecurityInfo loads its provider, ntmarta.dll (no KnownDLL), by name:
  // loaded first by its full path, it is found loaded.
  const SystemLibrary provider("ntmarta.dll");
  const SECURITY_INFORMATION parts = OWNER_SECURITY_INFORMATION | DACL_SECURITY_INFORMATION;
  PSECURITY_DESCRIPTOR found = nullptr;
  if (GetSecurityInfo(held, SE_FILE_OBJECT, parts, nullptr, nullptr, nullptr, nullptr, &found) !=
      ERROR_SUCCESS)
    return false;
  const LocalMemory<PSECURITY_DESCRIPTOR> descriptor(found);
  LPWSTR sddl = nullptr;
  const bool converted = ConvertSecurityDescriptorToStringSecurityDescriptorW(
                             descriptor.get(), SDDL_REVISION_1, parts, &sddl, nullptr) != FALSE;
  const LocalMemory<LPWSTR> sddlOwner(sddl);
  Text text;
  return converted && AsciiOf(sddl, &text) && IsPrivateFolderSecurity(text);
}

// Deletes the files and links directly in `folder`, each through a handle
// on the entry itself: a link goes as the link, never what it leads to.
// Sub-folders are not looked into and stay (and with them the folder); one
// that took an entry's place meanwhile goes only when empty, as
// RemoveDirectory would take it.
void DeleteEntriesIn(const WidePath& folder) {
  WIN32_FIND_DATAW found;
  HANDLE search = FindFirstFileW((folder + "\\*").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return;
  do {
    // "." and ".." among them.
    if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) &&
        !(found.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT))
      continue;
    const WidePath entry = folder + "\\" + WidePath::OfUnits(found.cFileName);
    HANDLE doomed = CreateFileW(
        entry.c_str(), DELETE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
        OPEN_EXISTING,
        FILE_FLAG_OPEN_REPARSE_POINT | FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_DELETE_ON_CLOSE,
        nullptr);
    if (doomed != INVALID_HANDLE_VALUE) CloseHandle(doomed);
  } while (FindNextFileW(search, &found));
  FindClose(search);
}

}  // namespace

bool PrivateFolder::Make() {
  const WidePath temp = SystemTemporaryFolder();
  if (temp.Empty()) return false;
  const LocalMemory<PSECURITY_DESCRIPTOR> access = PrivateFolderDescriptor();
  if (!access) return false;
  SECURITY_ATTRIBUTES attributes{sizeof attributes, access.get(), FALSE};
  // A clash of 64 random bits is a sign of someone waiting with names made
  // ready; a few draws are plenty.
  for (int attempt = 0; attempt < 8; ++attempt) {
    const Text name = RandomName();
    if (name.empty()) return false;
    const WidePath path = temp + name;
    if (CreateDirectoryW(path.c_str(), &attributes)) {
      // Held at once; and it must still be the folder just made.
      FileHandle held(HoldFolder(path));
      if (!held.IsValid()) {
        RemoveDirectoryW(path.c_str());
        return false;
      }
      if (!IsPlainFolder(held.Get())) return false;
      folder_ = path;
      heldFolder_.Reset(held.Release());
      return true;
    }
    if (GetLastError() != ERROR_ALREADY_EXISTS) return false;
  }
  return false;
}

bool PrivateFolder::PutCopy(const WidePath& original, const WidePath& fileName) {
  const WidePath copy = folder_ + "\\" + fileName;
  if (!CopyFileW(original.c_str(), copy.c_str(), TRUE)) return false;
  // Held for reading only from right after it is written: Windows opens a
  // program it starts for reading and execution, which this share mode
  // lets through, and nothing that would write or delete.
  heldCopy_.Reset(CreateFileW(copy.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!heldCopy_.IsValid()) {
    DeleteFileW(copy.c_str());
    return false;
  }
  copy_ = copy;
  return true;
}

void PrivateFolder::LetGo() {
  heldCopy_.Close();
  heldFolder_.Close();
}

void PrivateFolder::Remove() {
  LetGo();
  if (!copy_.Empty()) DeleteFileW(copy_.c_str());
  if (!folder_.Empty()) RemoveDirectoryW(folder_.c_str());
}

void RemoveLeftoverFolders() {
  const WidePath temp = SystemTemporaryFolder();
  if (temp.Empty()) return;
  WIN32_FIND_DATAW found;
  HANDLE search = FindFirstFileW((temp + kPrivateFolderPrefix + "*").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return;
  do {
    Text name;
    if (!AsciiOf(found.cFileName, &name) || !IsPrivateFolderName(name)) continue;
    const WidePath folder = temp + WidePath::OfUnits(found.cFileName);
    // Checked on the handle that holds it until its files are gone: the
    // folder checked is the folder emptied.
    FileHandle held(HoldFolder(folder));
    if (!held.IsValid()) continue;
    const bool ours = IsPlainFolder(held.Get()) && HasPrivateSecurity(held.Get());
    if (ours) DeleteEntriesIn(folder);
    held.Close();
    // Only an empty folder goes, or a link itself, never what it leads to.
    if (ours) RemoveDirectoryW(folder.c_str());
  } while (FindNextFileW(search, &found));
  FindClose(search);
}

bool IsInPrivateFolder(const WidePath& path) {
  const WidePath temp = SystemTemporaryFolder();
  const size_t slash = path.LastBackslash();
  if (temp.Empty() || slash == path.Length()) return false;
  const WidePath folder = path.Head(slash);
  if (folder.Length() <= temp.Length() || !SamePath(folder.Head(temp.Length()), temp)) return false;
  Text name;
  return AsciiOf(folder.Tail(temp.Length()).c_str(), &name) && IsPrivateFolderName(name);
}
