// Lets the C++ runtime linked into the DLL throw when memory has run out. It then takes an
// exception from a small emergency pool, but the pool's lock and each thread's exception state
// are set up at their first use with the C runtime's allocator, and the runtime ends the process
// when that set-up finds no memory. The pool is prepared once at load, while memory is there;
// a thread's state when that thread first enters the module, from a reserve of the DLL's own if
// memory has run out by then.
#pragma once

namespace tolvane {

// At load. False when the module cannot keep track of prepared threads (the load then fails).
bool PrepareExceptionsForLowMemory() noexcept;
// At unload.
void EndExceptionsForLowMemory() noexcept;
// Every entry and export calls it before anything in it can throw. False only when the calling
// thread's exception state can be made neither from memory nor from the reserve: the entry then
// fails without throwing.
bool ExceptionsReadyOnThisThread() noexcept;

}  // namespace tolvane
