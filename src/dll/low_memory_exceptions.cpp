#include "dll/low_memory_exceptions.h"

#include <cstddef>

// The DLL is linked with --wrap=malloc: every call to malloc in it, the linked-in C++ runtime's
// included, comes here first.
extern "C" void* __real_malloc(std::size_t size);

namespace {

// Refuses the next call only: the exception's own allocation. The set-up that follows (the pool's
// lock is made at its first use, with malloc) must get its memory, or it recurses until the
// stack runs out.
bool g_refuseNextMalloc = false;

}  // namespace

extern "C" void* __wrap_malloc(std::size_t size) {
  if (g_refuseNextMalloc) {
    g_refuseNextMalloc = false;
    return nullptr;
  }
  return __real_malloc(size);
}

namespace tolvane {

void PrepareExceptionsForLowMemory() noexcept {
  // One exception whose own allocation is refused comes from the emergency pool: the pool's
  // lock, the thread's exception state and the unwinder's tables are set up now, with memory at
  // hand (the set-up's own allocations do not go through malloc).
  g_refuseNextMalloc = true;
  try {
    throw 0;
  } catch (...) {
  }
  g_refuseNextMalloc = false;
}

}  // namespace tolvane
