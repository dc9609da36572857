#include "uninstaller/private_folder.h"

#include <windows.h>
#include <sddl.h>
#include <wincrypt.h>

#include "frame/system_library.h"
#include "services/files.h"
#include "services/shell.h"
#include "services/wide_text.h"

namespace {

const char kNamePrefix[] = "MorvaneUninstall-";
constexpr size_t kRandomBytes = 8;
// Protected (no inherited entries): full control for the built-in
// administrators and SYSTEM, inherited by what is created inside.
const wchar_t kPrivateAccess[] = L"D:P(A;OICI;FA;;;BA)(A;OICI;FA;;;SY)";

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
  Text name = kNamePrefix;
  for (BYTE b : bytes) {
    name += kHex[b >> 4];
    name += kHex[b & 15];
  }
  return name;
}

class SecurityDescriptor {
 public:
  SecurityDescriptor() {
    ConvertStringSecurityDescriptorToSecurityDescriptorW(kPrivateAccess, SDDL_REVISION_1,
                                                         &descriptor_, nullptr);
  }
  ~SecurityDescriptor() {
    if (descriptor_) LocalFree(descriptor_);
  }
  SecurityDescriptor(const SecurityDescriptor&) = delete;
  SecurityDescriptor& operator=(const SecurityDescriptor&) = delete;
  PSECURITY_DESCRIPTOR Get() const { return descriptor_; }

 private:
  PSECURITY_DESCRIPTOR descriptor_ = nullptr;
};

// The files directly in `folder`; nothing below it, and no link or junction.
void RemoveFilesIn(const WidePath& folder) {
  WIN32_FIND_DATAW found;
  HANDLE search = FindFirstFileW((folder + "\\*").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return;
  do {
    if (found.dwFileAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT))
      continue;
    DeleteFileAt(folder + "\\" + WidePath::OfUnits(found.cFileName));
  } while (FindNextFileW(search, &found));
  FindClose(search);
}

}  // namespace

bool MakePrivateFolder(WidePath* folder) {
  const WidePath temp = GetSpecialFolder(kFolderTemp);
  if (temp.Empty()) return false;
  SecurityDescriptor access;
  if (!access.Get()) return false;
  SECURITY_ATTRIBUTES attributes{sizeof attributes, access.Get(), FALSE};
  // A clash of 64 random bits is a sign of someone waiting with names made
  // ready; a few draws are plenty.
  for (int attempt = 0; attempt < 8; ++attempt) {
    const Text name = RandomName();
    if (name.empty()) return false;
    const WidePath path = temp + name;
    if (CreateDirectoryW(path.c_str(), &attributes)) {
      *folder = path;
      return true;
    }
    if (GetLastError() != ERROR_ALREADY_EXISTS) return false;
  }
  return false;
}

void RemoveLeftoverFolders() {
  const WidePath temp = GetSpecialFolder(kFolderTemp);
  if (temp.Empty()) return;
  WIN32_FIND_DATAW found;
  HANDLE search = FindFirstFileW((temp + kNamePrefix + "*").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return;
  do {
    if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) ||
        (found.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT))
      continue;
    const WidePath folder = temp + WidePath::OfUnits(found.cFileName);
    RemoveFilesIn(folder);
    RemoveEmptyFolder(folder);
  } while (FindNextFileW(search, &found));
  FindClose(search);
}

bool IsInPrivateFolder(const WidePath& path) {
  const WidePath temp = GetSpecialFolder(kFolderTemp);
  const size_t slash = path.LastBackslash();
  if (temp.Empty() || slash == path.Length()) return false;
  const WidePath folder = path.Head(slash);
  const WidePath expected = temp + kNamePrefix;
  if (folder.Length() != expected.Length() + 2 * kRandomBytes) return false;
  return SamePath(folder.Head(expected.Length()), expected);
}
