// Lets the C++ runtime linked into the DLL throw when memory has run out. It then takes an
// exception from a small emergency pool, but the pool's lock and the thread's exception state
// are set up at their first use, with the C runtime's allocator: under a shortage that set-up
// fails and throws again, until the stack runs out. Called once at load, while memory is there.
#pragma once

namespace tolvane {

void PrepareExceptionsForLowMemory() noexcept;

}  // namespace tolvane
