#include "frame/external_functions.h"

#include <cstring>

#include "frame/program_path.h"
#include "frame/runtime_error_text.h"
#include "services/system_library.h"
#include "services/wide_text.h"

namespace {

ExternalFunctionEntry g_table[kExternalFunctionCount] = {
    {"", "CreateWaitableTimerW"}, {"", "SetWaitableTimer"},      {"", "MsgWaitForMultipleObjects"},
    {"", "CancelWaitableTimer"},  {"shell32", "SHChangeNotify"},
};

// The libraries searched, in this order, for an entry without a library name.
const char* const kSearchedLibraries[] = {"Kernel32.dll", "Gdi32.dll", "User32.dll",
                                          "Advapi32.dll", "Mpr.dll",   "Shell32.dll"};

// Until the frame's run-time error routine takes over: the same box, for an
// error that names no window, then the end of the process.
[[noreturn]] void ShowRuntimeErrorAndExit(const Text& message, int32_t code, int32_t first,
                                          int32_t second) {
  ErrorLocation location;
  location.window = first;
  location.unit = second;
  Text text = RuntimeErrorText(message, code, location);
  MessageBoxW(nullptr, WideText(text).c_str(), WideText(kRuntimeErrorCaption).c_str(),
              MB_ICONERROR);
  ExitProcess(UINT(-1));
}

ExternalFunctionReport g_report = ShowRuntimeErrorAndExit;

WidePath SystemDirectory() {
  wchar_t path[MAX_PATH];
  UINT length = GetSystemDirectoryW(path, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return WidePath();
  return WidePath::OfUnits(path, length);
}

// The file name that LoadLibrary would look for: ".dll" is added to a name
// without any dot, and a trailing dot stands for "no extension".
Text LibraryFileName(const char* name) {
  Text fileName = name;
  if (fileName.find('.') == Text::npos)
    fileName += ".dll";
  else if (fileName.back() == '.')
    fileName.pop_back();
  return fileName;
}

bool IsSystemLibrary(const Text& fileName) {
  const WidePath system = SystemDirectory();
  if (system.Empty()) return false;
  DWORD attributes = GetFileAttributesW((system + "\\" + fileName).c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

HMODULE LoadNamedLibrary(const char* name) {
  if (strchr(name, ':')) return LoadLibraryW(WideText(name).c_str());
  Text fileName = LibraryFileName(name);
  // A library that the system directory holds is loaded from there only,
  // whatever lies beside the program.
  if (IsSystemLibrary(fileName)) return LoadSystemLibrary(fileName.c_str());
  const WidePath& folder = GetProgramPath().folderSlash;
  if (!folder.Empty()) {
    HMODULE module = LoadLibraryW((folder + name).c_str());
    if (module) return module;
  }
  return LoadLibraryW(WideText(name).c_str());
}

// The ordinal of "#N", or 0 when the text after "#" is not a decimal number
// from 1 to 65535: GetProcAddress takes any larger value for a pointer to a
// name, and ordinal 0 does not exist.
WORD OrdinalOf(const char* function) {
  const char* digits = function + 1;
  if (*digits == '\0') return 0;
  uint32_t ordinal = 0;
  for (const char* p = digits; *p; ++p) {
    if (*p < '0' || *p > '9') return 0;
    ordinal = ordinal * 10 + uint32_t(*p - '0');
    if (ordinal > 0xFFFF) return 0;
  }
  return WORD(ordinal);
}

FARPROC FindExport(HMODULE module, const char* function) {
  if (function[0] != '#') return GetProcAddress(module, function);
  WORD ordinal = OrdinalOf(function);
  return ordinal ? GetProcAddress(module, MAKEINTRESOURCEA(ordinal)) : nullptr;
}

FARPROC LoadEntry(ExternalFunctionEntry* entry) {
  if (entry->library[0] == '\0') {
    for (const char* library : kSearchedLibraries) {
      HMODULE module = LoadSystemLibrary(library);
      if (!module) continue;
      FARPROC address = FindExport(module, entry->function);
      if (address) {
        entry->module = module;
        return address;
      }
      FreeLibrary(module);
    }
    return nullptr;
  }
  HMODULE module = LoadNamedLibrary(entry->library);
  if (!module) return nullptr;
  FARPROC address = FindExport(module, entry->function);
  if (!address) {
    FreeLibrary(module);
    return nullptr;
  }
  entry->module = module;
  return address;
}

}  // namespace

FARPROC ResolveEntry(ExternalFunctionEntry* entry) {
  if (entry->address) return entry->address;
  entry->address = LoadEntry(entry);
  if (!entry->address)
    g_report(UnresolvedFunctionMessage(entry->library, entry->function), 0, 0, 0);
  return entry->address;
}

void ReleaseEntry(ExternalFunctionEntry* entry) {
  if (entry->module) FreeLibrary(entry->module);
  entry->module = nullptr;
  entry->address = nullptr;
}

FARPROC ResolveExternalFunction(ExternalFunction which) {
  return ResolveEntry(&g_table[int(which)]);
}

void FreeExternalFunctions() {
  for (ExternalFunctionEntry& entry : g_table) ReleaseEntry(&entry);
}

void OverrideExternalFunction(ExternalFunction which, FARPROC address) {
  ExternalFunctionEntry& entry = g_table[int(which)];
  ReleaseEntry(&entry);
  entry.address = address;
}

Text UnresolvedFunctionMessage(const char* library, const char* function) {
  Text message = kMissingHead;
  if (library[0] != '\0') message += Text(kOpenQuote) + library + kCloseQuote;
  message += Text(kMissingMiddle) + kOpenQuote + function + kCloseQuote;
  return message;
}

void SetExternalFunctionReport(ExternalFunctionReport report) {
  g_report = report ? report : ShowRuntimeErrorAndExit;
}

#if defined(__i386__)
// external_call_i386.S: pushes the words, last first, calls the function, and
// stores how far the stack pointer after the call lies from the one before
// the words were pushed (0 for a stdcall function that took them all).
extern "C" uintptr_t MorvaneCallStdcall(FARPROC address, const uintptr_t* words, int count,
                                        int32_t* stackMoved);

uintptr_t CallExternalWords(FARPROC address, const uintptr_t* words, int count,
                            ExternalCallSite site) {
  int32_t stackMoved = 0;
  const uintptr_t result = MorvaneCallStdcall(address, words, count, &stackMoved);
  if (stackMoved != 0) g_report(kStackUnbalanced, kStackErrorCode, site.procedure, site.position);
  return result;
}
#endif
