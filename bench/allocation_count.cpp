#include "allocation_count.h"

#include <atomic>
#include <cstdlib>
#include <new>

namespace tolvane::bench {
namespace {

std::atomic<uint64_t> counted{0};
std::atomic<uint64_t> paused{0};
thread_local bool pausedHere = false;

}  // namespace

uint64_t AllocationCount() {
  return counted.load(std::memory_order_relaxed);
}
uint64_t AllocationCountPause::PausedCount() {
  return paused.load(std::memory_order_relaxed);
}

AllocationCountPause::AllocationCountPause() : wasPaused_(pausedHere) {
  pausedHere = true;
}
AllocationCountPause::~AllocationCountPause() {
  pausedHere = wasPaused_;
}

}  // namespace tolvane::bench

// The array and nothrow forms of the library call this one, so they are counted too.
void* operator new(std::size_t size) {
  (tolvane::bench::pausedHere ? tolvane::bench::paused : tolvane::bench::counted)
      .fetch_add(1, std::memory_order_relaxed);
  if (void* block = std::malloc(size == 0 ? 1 : size)) return block;
  throw std::bad_alloc();
}
void operator delete(void* block) noexcept {
  std::free(block);
}
void operator delete(void* block, std::size_t) noexcept {
  std::free(block);
}
