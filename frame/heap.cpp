// The program's operator new and delete, over the process heap. Linked into
// the programs themselves (not into a library), so that they replace the
// runtime's versions. What a failed allocation does is the program's own
// (ReportAllocationFailure: the frame's run-time error in the programs that
// run the frame, allocation_failure.cpp).
#include "frame/heap.h"

#include <windows.h>

#include <new>

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
