// A failed allocation in a program that runs the frame: the run-time error
// "分配 N 字节内存失败!".
#include <windows.h>

#include "frame/heap.h"
#include "frame/runtime_error.h"
#include "frame/runtime_error_text.h"

void ReportAllocationFailure(size_t size) {
  // The report itself allocates; should that fail too, there is nothing
  // left to show anything with.
  static bool reporting = false;
  if (reporting) ExitProcess(UINT(-1));
  reporting = true;
  ReportRuntimeError(AllocationFailedText(size), 0, 0, 0);
}
