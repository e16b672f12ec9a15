// This test program replaces the global operator new and delete with counting ones that can be
// told to fail: the n-th allocation from now throws std::bad_alloc (the nothrow forms give null;
// on Windows, so does the program's HeapAlloc, where file-list node blocks and names come from).
// Where the C++ runtime is a separate DLL (the Windows build), allocations made inside it do not
// come through here, so a test first checks with RoutesStringAllocations() that a std::string copy
// reaches us.
#pragma once

#include <cstddef>
#include <cstdint>

namespace tolvane::testing {

// The n-th allocation from now (1: the next one) fails; 0 turns failing off.
void FailNthAllocation(int64_t nth);
// The same, counting only allocations of exactly `bytes` bytes.
void FailNthAllocationOf(std::size_t bytes, int64_t nth);
// Whether a fault set by FailNthAllocation is still waiting to happen.
bool AllocationFaultPending();
// Allocations made and not yet freed, through this program's operator new.
int64_t LiveAllocations();
// Whether copying a long std::string allocates through the replaced operator new here.
bool RoutesStringAllocations();
// Whether a file list's node blocks and names meet the faults (on Windows they come from the
// process heap, reached through this program's HeapAlloc import).
bool RoutesNodeBlocks();

}  // namespace tolvane::testing
