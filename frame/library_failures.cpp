// The standard library's failure paths. The program is built without
// exceptions, yet the library's containers still call these helpers when a
// length overflows, a request cannot be met or a bounds check fails; the
// library's own versions would build and throw exception objects or print
// demangled names, and bring in the whole of its exception machinery (over
// 100 KB). Here each ends the process with the
// run-time error's exit code. They cannot be reached with the program's own
// data: every length it reads is checked against the bytes that hold it, and
// operator new reports a failed allocation itself (heap.cpp).
//
// Linked into the programs themselves, like heap.cpp, so that they replace
// the library's versions; all of them, or the library's would be linked too.
#include <windows.h>

#include <new>

namespace {

[[noreturn]] void EndOnLibraryFailure() { ExitProcess(UINT(-1)); }

}  // namespace

namespace std {

void __throw_bad_alloc() { EndOnLibraryFailure(); }
void __throw_bad_array_new_length() { EndOnLibraryFailure(); }
void __throw_bad_cast() { EndOnLibraryFailure(); }
void __throw_bad_typeid() { EndOnLibraryFailure(); }
void __throw_bad_exception() { EndOnLibraryFailure(); }
void __throw_logic_error(const char*) { EndOnLibraryFailure(); }
void __throw_domain_error(const char*) { EndOnLibraryFailure(); }
void __throw_invalid_argument(const char*) { EndOnLibraryFailure(); }
void __throw_length_error(const char*) { EndOnLibraryFailure(); }
void __throw_out_of_range(const char*) { EndOnLibraryFailure(); }
void __throw_out_of_range_fmt(const char*, ...) { EndOnLibraryFailure(); }
void __throw_runtime_error(const char*) { EndOnLibraryFailure(); }
void __throw_range_error(const char*) { EndOnLibraryFailure(); }
void __throw_overflow_error(const char*) { EndOnLibraryFailure(); }
void __throw_underflow_error(const char*) { EndOnLibraryFailure(); }

// A failed bounds check of the library (an index past the end of a string
// or vector): a fault of the program, never worth going on after.
void __glibcxx_assert_fail(const char*, int, const char*, const char*) noexcept {
  EndOnLibraryFailure();
}

}  // namespace std
