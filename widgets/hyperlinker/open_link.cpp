#include "widgets/hyperlinker/open_link.h"

#include <windows.h>
#include <shellapi.h>

#include "services/handles.h"
#include "widgets/hyperlinker/link_command.h"

namespace {

const char kHtmlExtensionKey[] = ".htm";

// The default value of a key under HKEY_CLASSES_ROOT as text, in `buffer`
// of `capacity` bytes. False when the key or the value is missing, is not
// text, or does not fit with its terminator.
bool ReadClassesDefault(const char* keyPath, char* buffer, DWORD capacity) {
  RegKey key;
  if (RegOpenKeyExA(HKEY_CLASSES_ROOT, keyPath, 0, KEY_QUERY_VALUE, key.Receive()) != ERROR_SUCCESS)
    return false;
  DWORD type = 0, size = capacity;
  if (RegQueryValueExA(key.Get(), nullptr, nullptr, &type, reinterpret_cast<BYTE*>(buffer),
                       &size) != ERROR_SUCCESS ||
      (type != REG_SZ && type != REG_EXPAND_SZ) || size > capacity)
    return false;
  // A value stored without its terminator gets one, when there is room.
  if (size == 0 || buffer[size - 1] != '\0') {
    if (size == capacity) return false;
    buffer[size] = '\0';
  }
  return true;
}

// The program registered for ".htm" files, started with the target in
// place of its placeholder.
bool OpenWithHtmlProgram(const Text& target, int showCommand) {
  char className[kLinkClassCapacity];
  if (!ReadClassesDefault(kHtmlExtensionKey, className, sizeof className) || className[0] == '\0')
    return false;
  char commandKey[kLinkClassCapacity + 32];
  char registered[kLinkCommandCapacity];
  char commandLine[kLinkCommandCapacity];
  if (!BuildOpenCommandKey(className, commandKey, sizeof commandKey) ||
      !ReadClassesDefault(commandKey, registered, sizeof registered) ||
      !BuildFallbackCommand(registered, target.c_str(), commandLine, sizeof commandLine))
    return false;
  return WinExec(commandLine, UINT(showCommand)) > 31;
}

}  // namespace

bool OpenHyperLink(const HyperLinkerProperties& link, int showCommand) {
  const Text target = LinkTarget(link);
  if (target.empty()) return false;
  if (ShellCanTake(target)) {
    const HINSTANCE shell =
        ShellExecuteA(nullptr, "open", target.c_str(), nullptr, nullptr, showCommand);
    if (INT_PTR(shell) > 32) return true;
  }
  return OpenWithHtmlProgram(target, showCommand);
}
