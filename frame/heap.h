// Every allocation of the program comes from the process heap (heap.cpp);
// one that fails is the program's to report: in the programs that run the
// frame, the run-time error "分配 N 字节内存失败!" (allocation_failure.cpp).
#pragma once

#include <cstddef>

// Reports the failed allocation of `size` bytes and ends the process; each
// program defines it once.
[[noreturn]] void ReportAllocationFailure(size_t size);
