// The Windows functions that the program calls through a table resolved at
// run time: each entry is a (library, function) pair, looked up on its first
// call and kept until shutdown. Library names and paths are code page 936
// and go to Windows as such; export names are the libraries' own ASCII.
#pragma once

#include <windows.h>

#include <cstdint>
#include <type_traits>

#include "services/system_library.h"
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

// Where a procedure of the program calls an external function: a number of
// the procedure's own and the call's place in it, the two numbers that the
// report of an unbalanced stack names.
struct ExternalCallSite {
  int32_t procedure;
  int32_t position;
};

#if defined(__i386__)
// Calls the function at `address` as a Windows (stdcall) function of `count`
// machine words and answers what it left in the result register. A stdcall
// function pops its own arguments: one that takes another number of them, or
// that leaves them to its caller (cdecl), leaves the stack pointer elsewhere
// than before the call. The difference is run-time error 6, reported with
// `site` once the stack pointer is put back, so that a report that returns
// (a test's) finds its caller intact.
uintptr_t CallExternalWords(FARPROC address, const uintptr_t* words, int count,
                            ExternalCallSite site);
#endif

namespace external_call {

// A value as the machine word it is passed in: integers, enumerations and
// pointers, no wider than a word.
template <typename T>
uintptr_t ToWord(T value) {
  static_assert(sizeof(T) <= sizeof(uintptr_t), "an argument wider than a machine word");
  if constexpr (std::is_pointer<T>::value) {
    return reinterpret_cast<uintptr_t>(value);
  } else if constexpr (std::is_null_pointer<T>::value) {
    return 0;
  } else {
    static_assert(std::is_integral<T>::value || std::is_enum<T>::value,
                  "an argument that is no integer, enumeration or pointer");
    return static_cast<uintptr_t>(value);
  }
}

template <typename Result>
Result FromWord(uintptr_t word) {
  if constexpr (std::is_void<Result>::value) {
    return;
  } else if constexpr (std::is_pointer<Result>::value) {
    return reinterpret_cast<Result>(word);
  } else {
    static_assert(sizeof(Result) <= sizeof(uintptr_t) &&
                      (std::is_integral<Result>::value || std::is_enum<Result>::value),
                  "a result that is no integer, enumeration or pointer of a machine word");
    return static_cast<Result>(word);
  }
}

template <typename>
using Word = uintptr_t;

}  // namespace external_call

// Calls the external function at `address` (ResolveExternalFunction) as a
// Windows function that takes `args` and gives a Result, for example
//   CallExternal<BOOL>(cancel, {kWaitProcedure, 4}, timer);
// with the stack check of CallExternalWords. Every call of the program's
// external functions goes through here.
template <typename Result = void, typename... Args>
Result CallExternal(FARPROC address, ExternalCallSite site, Args... args) {
  using namespace external_call;
#if defined(__i386__)
  const uintptr_t words[sizeof...(Args) + 1] = {ToWord(args)..., 0};
  return FromWord<Result>(CallExternalWords(address, words, int(sizeof...(Args)), site));
#else
  // x86_64 has one calling convention, and the caller owns the space of the
  // arguments and puts its own stack pointer back: there is nothing to
  // compare. Every argument has a word of its own (a register or a slot of
  // the caller's), so the call with words is the call with the types.
  (void)site;
  return FromWord<Result>(FunctionAs<uintptr_t (*)(Word<Args>...)>(address)(ToWord(args)...));
#endif
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

// What runs when a function cannot be found (code 0, no location), or when a
// call leaves the stack unbalanced (code 6, the call site as the location):
// the run-time error's message, code and the two numbers of its location. The
// default shows the run-time error box and ends the process with exit code
// -1; the frame's run-time error routine takes its place, and tests put a
// recorder there. nullptr restores the default.
using ExternalFunctionReport = void (*)(const Text& message, int32_t code, int32_t first,
                                        int32_t second);
void SetExternalFunctionReport(ExternalFunctionReport report);
