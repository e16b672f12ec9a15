#include "allocation_count.h"

#include <malloc.h>

#include <atomic>
#include <cstdlib>
#include <new>

namespace tolvane::bench {
namespace {

std::atomic<uint64_t> counted{0};
std::atomic<uint64_t> live{0};
std::atomic<uint64_t> peak{0};

}  // namespace

uint64_t AllocationCount() {
  return counted.load(std::memory_order_relaxed);
}

uint64_t LiveBytes() {
  return live.load(std::memory_order_relaxed);
}

uint64_t PeakBytes() {
  return peak.load(std::memory_order_relaxed);
}

void ResetPeakBytes() {
  peak.store(live.load(std::memory_order_relaxed), std::memory_order_relaxed);
}

}  // namespace tolvane::bench

// The array and nothrow forms of the library call this one, so they are counted too.
void* operator new(std::size_t size) {
  tolvane::bench::counted.fetch_add(1, std::memory_order_relaxed);
  if (void* block = std::malloc(size == 0 ? 1 : size)) {
    const uint64_t bytes = malloc_usable_size(block);
    const uint64_t now = tolvane::bench::live.fetch_add(bytes, std::memory_order_relaxed) + bytes;
    uint64_t seen = tolvane::bench::peak.load(std::memory_order_relaxed);
    while (now > seen && !tolvane::bench::peak.compare_exchange_weak(seen, now)) {
    }
    return block;
  }
  throw std::bad_alloc();
}
void operator delete(void* block) noexcept {
  if (block != nullptr) {
    tolvane::bench::live.fetch_sub(malloc_usable_size(block), std::memory_order_relaxed);
  }
  std::free(block);
}
void operator delete(void* block, std::size_t) noexcept {
  operator delete(block);
}
