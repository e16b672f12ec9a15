#include "dll/low_memory_exceptions.h"

#include <malloc.h>

#include <atomic>
#include <cstddef>
#include <cstring>
#include <initializer_list>

#include "dll/reserve.h"

// The DLL is linked with --wrap for malloc, calloc, realloc and free: every such call in it, the
// linked-in C++ runtime's and threads library's included, comes here first.
extern "C" {
void* __real_malloc(std::size_t size);
void* __real_calloc(std::size_t count, std::size_t size);
void* __real_realloc(void* block, std::size_t size);
void __real_free(void* block);
}

namespace {

// Set for one call: the next malloc is refused.
bool g_refuseNextMalloc = false;
// An allocation of the module's failed: while the runtime started, that may have been its
// emergency pool's, and a throw without memory would then end the process.
std::atomic<bool> g_allocationFailed{false};
// While the load prepares the exceptions (under the loader's lock, on the loading thread) an
// allocation that finds no memory comes from the reserve.
bool g_preparing = false;

void* Noted(void* block) {
  if (block == nullptr) g_allocationFailed.store(true);
  return block;
}

// What the loading thread's exception state takes is a few hundred bytes (the thread's slot
// array, the state itself, the threads library's record of a thread it did not start) and the
// unwinder's sorted tables. Its memory is never reused: the state lives as long as the thread.
constinit tolvane::Reserve<32 * 1024> g_reserve;

void* FromReserve(std::size_t size) {
  return g_preparing ? g_reserve.Take(size) : nullptr;
}

}  // namespace

extern "C" void* __wrap_malloc(std::size_t size) {
  if (g_refuseNextMalloc) {
    g_refuseNextMalloc = false;
    return nullptr;
  }
  void* block = Noted(__real_malloc(size));
  return block != nullptr ? block : FromReserve(size);
}

extern "C" void* __wrap_calloc(std::size_t count, std::size_t size) {
  void* block = Noted(__real_calloc(count, size));
  if (block != nullptr || count == 0) return block;
  if (size > SIZE_MAX / count) return nullptr;
  return FromReserve(count * size);
}

// The runtime grows a block it holds (a per-thread table, its exit list) by realloc, and frees
// it at the end: a block from the reserve must never reach the C runtime's.
extern "C" void* __wrap_realloc(void* block, std::size_t size) {
  if (block == nullptr) return __wrap_malloc(size);
  const bool reserved = g_reserve.Holds(block);
  if (!reserved) {
    void* moved = __real_realloc(block, size);
    if (moved != nullptr || size == 0) return moved;
    g_allocationFailed.store(true);
  }
  void* moved = __wrap_malloc(size);
  if (moved == nullptr) return nullptr;
  const std::size_t old = reserved ? g_reserve.SizeOf(block) : _msize(block);
  std::memcpy(moved, block, old < size ? old : size);
  if (!reserved) __real_free(block);
  return moved;
}

extern "C" void __wrap_free(void* block) {
  if (!g_reserve.Holds(block)) __real_free(block);
}

namespace tolvane {

bool PrepareExceptionsForLowMemory() noexcept {
  // Memory ran out as the module started: the load fails rather than trust the runtime's pool.
  if (g_allocationFailed.load()) return false;
  // A first exception sets up this thread's exception state and the unwinder's tables; should the
  // host's memory be short as it loads the module, the reserve gives them (the runtime's
  // thread-local storage ends the process when its allocation fails). A second one, whose own
  // allocation (the first malloc of a throw) is refused, comes from the emergency pool and sets
  // up the pool's lock.
  g_preparing = true;
  for (const bool refuse : {false, true}) {
    g_refuseNextMalloc = refuse;
    try {
      throw 0;
    } catch (...) {
    }
  }
  g_refuseNextMalloc = false;
  g_preparing = false;
  return true;
}

}  // namespace tolvane
