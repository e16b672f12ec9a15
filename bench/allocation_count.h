// Counts the bench program's heap allocations (operator new is replaced once, in
// allocation_count.cpp), so that a benchmark can report what the code it measures allocates.
#pragma once

#include <cstdint>

namespace tolvane::bench {

uint64_t AllocationCount();

}  // namespace tolvane::bench
