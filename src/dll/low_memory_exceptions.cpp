#include "dll/low_memory_exceptions.h"

#include <malloc.h>
#include <windows.h>

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <initializer_list>

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

void* Noted(void* block) {
  if (block == nullptr) g_allocationFailed.store(true);
  return block;
}

// The thread whose exception state is being made; its allocations may come from the reserve.
std::atomic<DWORD> g_preparingThread{0};
// Marks the threads whose exception state exists (a Win32 slot: the runtime's own thread-local
// storage allocates at first use).
DWORD g_readySlot = TLS_OUT_OF_INDEXES;

// What one thread's exception state takes is a few hundred bytes (the thread's slot array, the
// state itself, the threads library's record of a thread it did not start); the reserve holds
// it for dozens of threads. Its memory is never reused: a thread's state lives as long as it.
constexpr std::size_t kReserveBytes = 32 * 1024;
constexpr std::size_t kReserveHeader = 16;  // the block's size, keeping blocks 16-byte aligned
alignas(16) unsigned char g_reserve[kReserveBytes];
std::atomic<std::size_t> g_reserveUsed{0};

bool InReserve(const void* block) {
  // One unsigned comparison: an address below the reserve wraps round to a large offset.
  return reinterpret_cast<std::uintptr_t>(block) - reinterpret_cast<std::uintptr_t>(g_reserve) <
         kReserveBytes;
}

std::size_t ReserveBlockSize(const void* block) {
  std::size_t size;
  std::memcpy(&size, static_cast<const unsigned char*>(block) - kReserveHeader, sizeof size);
  return size;
}

// Zeroed memory from the reserve for the thread being prepared, else null.
void* FromReserve(std::size_t size) {
  if (g_preparingThread.load() != ::GetCurrentThreadId()) return nullptr;
  if (size > kReserveBytes) return nullptr;
  const std::size_t need = kReserveHeader + (size + 15) / 16 * 16;
  std::size_t used = g_reserveUsed.load();
  do {
    if (need > kReserveBytes - used) return nullptr;
  } while (!g_reserveUsed.compare_exchange_weak(used, used + need));
  std::memcpy(g_reserve + used, &size, sizeof size);
  return g_reserve + used + kReserveHeader;
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
  return FromReserve(count * size);  // the reserve's memory is zero until handed out
}

extern "C" void* __wrap_realloc(void* block, std::size_t size) {
  if (block == nullptr) return __wrap_malloc(size);
  const bool reserved = InReserve(block);
  if (!reserved) {
    void* moved = __real_realloc(block, size);
    if (moved != nullptr || size == 0) return moved;
    g_allocationFailed.store(true);
  }
  void* moved = __wrap_malloc(size);
  if (moved == nullptr) return nullptr;
  const std::size_t old = reserved ? ReserveBlockSize(block) : _msize(block);
  std::memcpy(moved, block, old < size ? old : size);
  if (!reserved) __real_free(block);
  return moved;
}

extern "C" void __wrap_free(void* block) {
  if (!InReserve(block)) __real_free(block);
}

namespace tolvane {

bool PrepareExceptionsForLowMemory() noexcept {
  // Memory ran out as the module started: the load fails rather than trust the runtime's pool.
  if (g_allocationFailed.load()) return false;
  g_readySlot = ::TlsAlloc();
  if (g_readySlot == TLS_OUT_OF_INDEXES) return false;
  // A first exception sets up this thread's exception state and the unwinder's tables; should the
  // host's memory be short as it loads the module, the reserve gives them (the runtime's
  // thread-local storage ends the process when its allocation fails). A second one, whose own
  // allocation (the first malloc of a throw) is refused, comes from the emergency pool and sets
  // up the pool's lock.
  g_preparingThread.store(::GetCurrentThreadId());
  for (const bool refuse : {false, true}) {
    g_refuseNextMalloc = refuse;
    try {
      throw 0;
    } catch (...) {
    }
  }
  g_refuseNextMalloc = false;
  g_preparingThread.store(0);
  ::TlsSetValue(g_readySlot, &g_readySlot);
  return true;
}

void EndExceptionsForLowMemory() noexcept {
  ::TlsFree(g_readySlot);  // only a prepared load ends
  g_readySlot = TLS_OUT_OF_INDEXES;
}

bool ExceptionsReadyOnThisThread() noexcept {
  if (::TlsGetValue(g_readySlot) != nullptr) return true;
  // The first throw on this thread makes its state; should memory be short, the reserve gives
  // it. Without room in the reserve that throw would end the process: no throw then.
  if (kReserveBytes - g_reserveUsed.load() < 4096) {
    void* probe = __real_malloc(4096);
    if (probe == nullptr) return false;
    __real_free(probe);
  }
  g_preparingThread.store(::GetCurrentThreadId());
  try {
    throw 0;
  } catch (...) {
  }
  g_preparingThread.store(0);
  // Should the mark not stick, the thread is prepared again next time: harmless.
  ::TlsSetValue(g_readySlot, &g_readySlot);
  return true;
}

}  // namespace tolvane
