// Every allocation of the program comes from the process heap; one that
// fails is the run-time error "分配 N 字节内存失败!".
#pragma once

#include <cstddef>

// Reports the failed allocation of `size` bytes; does not return.
[[noreturn]] void ReportAllocationFailure(size_t size);
