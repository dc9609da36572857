// A failed allocation in a program that runs the frame: the run-time error
// "分配 N 字节内存失败!".
#include <windows.h>

#include <cstdio>

#include "frame/heap.h"
#include "frame/runtime_error.h"
#include "frame/runtime_error_text.h"

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
