#include "dll/low_memory_exceptions.h"

#include <cstddef>
#include <initializer_list>

// The DLL is linked with --wrap=malloc: every call to malloc in it, the linked-in C++ runtime's
// included, comes here first.
extern "C" void* __real_malloc(std::size_t size);

namespace {

// Set for one call: the next malloc is refused.
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
  // A first exception sets up the thread's exception state and the unwinder's tables, with
  // memory at hand. A second one, whose own allocation (the first malloc of a throw) is refused,
  // comes from the emergency pool and sets up the pool's lock.
  for (const bool refuse : {false, true}) {
    g_refuseNextMalloc = refuse;
    try {
      throw 0;
    } catch (...) {
    }
  }
  g_refuseNextMalloc = false;
}

}  // namespace tolvane
