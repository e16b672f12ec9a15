// Counts the bench program's heap allocations (operator new is replaced once, in
// allocation_count.cpp). Code inside an AllocationCountPause, such as a fake host object building
// the string it returns, is not counted, so a benchmark can tell the module's allocations from
// the host's.
#pragma once

#include <cstdint>

namespace tolvane::bench {

uint64_t AllocationCount();

class AllocationCountPause {
 public:
  AllocationCountPause();
  ~AllocationCountPause();
  AllocationCountPause(const AllocationCountPause&) = delete;
  AllocationCountPause& operator=(const AllocationCountPause&) = delete;

  // Allocations made while paused, on this thread.
  static uint64_t PausedCount();

 private:
  bool wasPaused_;
};

}  // namespace tolvane::bench
