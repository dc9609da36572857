// The program's operator new and delete, over the process heap. Linked into
// the programs themselves (not into a library), so that they replace the
// runtime's versions.
#include "frame/heap.h"

#include <windows.h>

#include <cstdio>
#include <new>

#include "frame/runtime_error.h"
#include "frame/runtime_error_text.h"

namespace {

void* Allocate(size_t size) {
  void* block = HeapAlloc(GetProcessHeap(), 0, size ? size : 1);
  if (!block) ReportAllocationFailure(size);
  return block;
}

void Release(void* block) {
  if (block) HeapFree(GetProcessHeap(), 0, block);
}

}  // namespace

void ReportAllocationFailure(size_t size) {
  // The report itself allocates; should that fail too, there is nothing
  // left to show anything with.
  static bool reporting = false;
  if (reporting) ExitProcess(UINT(-1));
  reporting = true;
  char message[96];
  snprintf(message, sizeof message, kAllocationFailed, int(size));
  ReportRuntimeError(message, 0, 0, 0);
}

void* operator new(size_t size) { return Allocate(size); }
void* operator new[](size_t size) { return Allocate(size); }
void* operator new(size_t size, const std::nothrow_t&) noexcept {
  return HeapAlloc(GetProcessHeap(), 0, size ? size : 1);
}
void* operator new[](size_t size, const std::nothrow_t&) noexcept {
  return HeapAlloc(GetProcessHeap(), 0, size ? size : 1);
}
void operator delete(void* block) noexcept { Release(block); }
void operator delete[](void* block) noexcept { Release(block); }
void operator delete(void* block, size_t) noexcept { Release(block); }
void operator delete[](void* block, size_t) noexcept { Release(block); }
