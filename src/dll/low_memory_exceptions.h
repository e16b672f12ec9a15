// Lets the C++ runtime linked into the DLL throw when memory has run out. It then takes an
// exception from a small emergency pool, but the pool's lock and the thread's exception state are
// set up at their first use with the C runtime's allocator, and the runtime ends the process when
// that set-up finds no memory. Both are prepared at load, on the loading thread, the only one the
// module serves (module.h); should memory be short by then, from a reserve of the DLL's own.
#pragma once

namespace tolvane {

// At load. False when memory ran out as the runtime started (its emergency pool may then be
// empty, and a throw without memory would end the process): the load then fails.
bool PrepareExceptionsForLowMemory() noexcept;

}  // namespace tolvane
