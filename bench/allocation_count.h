// Counts the bench program's heap allocations (operator new is replaced once, in
// allocation_count.cpp), so that a benchmark can report what the code it measures allocates: how
// many blocks, and how many bytes are live (as the heap counts them, its rounding included) and
// were live at most since the last ResetPeakBytes.
#pragma once

#include <cstdint>

namespace tolvane::bench {

uint64_t AllocationCount();
uint64_t LiveBytes();
uint64_t PeakBytes();
void ResetPeakBytes();

}  // namespace tolvane::bench
