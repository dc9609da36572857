// The Windows functions that the program calls through a table resolved at
// run time: each entry is a (library, function) pair, looked up on its first
// call and kept until shutdown. Library names and paths are code page 936
// and go to Windows as such; export names are the libraries' own ASCII.
#pragma once

#include <windows.h>

#include <cstdint>

#include "frame/system_library.h"
#include "services/values.h"

enum class ExternalFunction : uint8_t {
  CreateWaitableTimerW,
  SetWaitableTimer,
  MsgWaitForMultipleObjects,
  CancelWaitableTimer,
  SHChangeNotify,
};
constexpr int kExternalFunctionCount = 5;

// One entry of a table of external functions.
//   library   "" searches the system libraries in a fixed order; a name
//             with a colon is a path; any other name is a library file name
//   function  an export name, or "#N" for the export with ordinal N
struct ExternalFunctionEntry {
  const char* library = "";
  const char* function = "";
  FARPROC address = nullptr;  // set once resolved
  HMODULE module = nullptr;   // the library loaded for it, freed at shutdown
};

// The address of the program's entry `which`, resolving it on the first call.
// When the function cannot be found the unresolved-function report runs; it
// does not return in the program, and nullptr comes back only when a test has
// put a report in its place that does.
FARPROC ResolveExternalFunction(ExternalFunction which);

// The address as a function pointer of type Fn, for example
//   auto notify =
//   ExternalFunctionAs<decltype(&::SHChangeNotify)>(ExternalFunction::SHChangeNotify);
template <typename Fn>
Fn ExternalFunctionAs(ExternalFunction which) {
  return FunctionAs<Fn>(ResolveExternalFunction(which));
}

// Frees the libraries loaded for the program's table and forgets every
// address (shutdown).
void FreeExternalFunctions();

// Puts `address` into the program's entry as if it had been resolved, so that
// a test can count the calls made through the table. FreeExternalFunctions
// forgets it again.
void OverrideExternalFunction(ExternalFunction which, FARPROC address);

// Resolves one entry of any table: loads its library, finds the function,
// keeps both. On failure the library is freed again, the report runs and the
// result is nullptr.
FARPROC ResolveEntry(ExternalFunctionEntry* entry);

// Frees the entry's library and forgets its address.
void ReleaseEntry(ExternalFunctionEntry* entry);

// The run-time error message for a function that cannot be found:
// 无法找到指定DLL库文件“library”中的输出命令“function”, or without the
// library part when the library name is empty.
Text UnresolvedFunctionMessage(const char* library, const char* function);

// What runs when a function cannot be found. The default shows the run-time
// error box and ends the process with exit code -1; the frame's run-time
// error routine takes its place, and tests put a recorder there. nullptr
// restores the default.
using UnresolvedFunctionReport = void (*)(const Text& message);
void SetUnresolvedFunctionReport(UnresolvedFunctionReport report);
