// The libraries of the system directory, loaded by their full path, and the
// functions of them that a system may lack (an export of a later Windows):
// looked up where they are used, each with its fallback, unlike the
// external-function table, whose missing function is a run-time error.
#pragma once

#include <windows.h>

// Loads `fileName` ("uxtheme.dll") from the system directory by its full
// path. The setup program runs elevated from wherever it was downloaded,
// whose folder the ordinary search would try first; with the full path and
// the altered search order the library's own dependencies come from the
// system directory as well. nullptr when the system directory holds no such
// library.
HMODULE LoadSystemLibrary(const char* fileName);

// A system library for a scope: loaded by its full path, freed at the end.
// For the optional functions of a library that the program imports anyway
// (kernel32, user32), which stays loaded after the scope.
class SystemLibrary {
 public:
  explicit SystemLibrary(const char* fileName) : module_(LoadSystemLibrary(fileName)) {}
  ~SystemLibrary() {
    if (module_) FreeLibrary(module_);
  }
  SystemLibrary(const SystemLibrary&) = delete;
  SystemLibrary& operator=(const SystemLibrary&) = delete;
  HMODULE Get() const { return module_; }

 private:
  HMODULE module_;
};

// A function address as the function pointer type Fn, through void (*)():
// the one function pointer type that GCC accepts as a stop between two
// unrelated ones.
template <typename Fn>
Fn FunctionAs(FARPROC address) {
  return reinterpret_cast<Fn>(reinterpret_cast<void (*)()>(address));
}

// The export `name` of `module` as the function type Fn; nullptr where this
// system lacks it, or for no module.
template <typename Fn>
Fn OptionalFunction(HMODULE module, const char* name) {
  return module ? FunctionAs<Fn>(GetProcAddress(module, name)) : nullptr;
}
