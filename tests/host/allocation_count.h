// The bytes a piece of work asks the allocator for, counted through the
// address sanitizer's allocation hooks (the host tree's tests run under it):
// how a test shows that hostile input is refused before it costs memory.
#pragma once

#include <atomic>
#include <cstddef>

#if defined(__has_feature)
#if __has_feature(address_sanitizer)
#include <sanitizer/allocator_interface.h>
#define MORVANE_ALLOCATION_HOOKS 1
#endif
#endif

struct AllocationCount {
  size_t largest = 0;  // the largest single allocation
  size_t total = 0;    // all allocations added up, freed or not
};

namespace allocation_count_detail {

inline std::atomic<bool> counting{false};
inline std::atomic<size_t> largest{0};
inline std::atomic<size_t> total{0};

inline void OnAllocation(const volatile void*, size_t size) {
  if (!counting.load()) return;
  total += size;
  size_t seen = largest.load();
  while (size > seen && !largest.compare_exchange_weak(seen, size)) {
  }
}

inline void OnFree(const volatile void*) {}

// The sanitizer keeps hooks for the life of the process (there is no
// removing them), so they are installed once and counting is switched.
inline bool Installed() {
#ifdef MORVANE_ALLOCATION_HOOKS
  static const bool installed = __sanitizer_install_malloc_and_free_hooks(OnAllocation, OnFree);
  return installed;
#else
  return false;
#endif
}

}  // namespace allocation_count_detail

// False in a build without the address sanitizer: nothing is counted there.
inline bool CanCountAllocations() { return allocation_count_detail::Installed(); }

template <typename Work>
AllocationCount CountAllocations(Work work) {
  namespace detail = allocation_count_detail;
  detail::Installed();
  detail::largest = 0;
  detail::total = 0;
  detail::counting = true;
  work();
  detail::counting = false;
  AllocationCount count;
  count.largest = detail::largest.load();
  count.total = detail::total.load();
  return count;
}
