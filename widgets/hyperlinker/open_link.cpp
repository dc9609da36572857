#include "widgets/hyperlinker/open_link.h"

#include <windows.h>

#include <cstring>

#include "services/registry.h"
#include "services/shell.h"
#include "services/wide_text.h"
#include "widgets/hyperlinker/link_command.h"

namespace {

const char kHtmlExtensionKey[] = ".htm";
// How long a started program is given to come up, as WinExec gives it.
constexpr DWORD kStartWaitMs = 30000;

// The default value of a key under HKEY_CLASSES_ROOT as text, up to its
// first NUL, in `buffer` of `capacity` bytes. False when the key or the
// value is missing, is not text, or does not fit with its terminator.
bool ReadClassesDefault(const char* keyPath, char* buffer, size_t capacity) {
  Text value;
  if (!ReadRegText(kClassesRoot, Text(keyPath) + "\\", &value)) return false;
  const size_t length = strlen(value.c_str());
  if (length >= capacity) return false;
  memcpy(buffer, value.c_str(), length + 1);
  return true;
}

// Starts the command line as WinExec does, which has no wide form: the
// program found as CreateProcess finds the first word of a command line, in
// the show state given, then a wait of up to 30 seconds until it is ready
// for input, so that the link's click does not return before the program
// has come up.
bool StartCommandLine(const char* commandLine, int showCommand) {
  WideText line(commandLine);
  if (line.Empty()) return false;
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESHOWWINDOW;
  startup.wShowWindow = WORD(showCommand);
  PROCESS_INFORMATION started{};
  // CreateProcessW may write into the command line: the room is ours.
  if (!CreateProcessW(nullptr, line.Buffer(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                      &startup, &started))
    return false;
  WaitForInputIdle(started.hProcess, kStartWaitMs);
  CloseHandle(started.hThread);
  CloseHandle(started.hProcess);
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
  return StartCommandLine(commandLine, showCommand);
}

}  // namespace

bool OpenHyperLink(const HyperLinkerProperties& link, int showCommand) {
  const Text target = LinkTarget(link);
  if (target.empty()) return false;
  if (ShellCanTake(target) && OpenWithShell(WideText(target), showCommand)) return true;
  return OpenWithHtmlProgram(target, showCommand);
}
