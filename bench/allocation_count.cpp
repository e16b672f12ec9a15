#include "allocation_count.h"

#include <atomic>
#include <cstdlib>
#include <new>

namespace tolvane::bench {
namespace {

std::atomic<uint64_t> counted{0};

}  // namespace

uint64_t AllocationCount() {
  return counted.load(std::memory_order_relaxed);
}

}  // namespace tolvane::bench

// The array and nothrow forms of the library call this one, so they are counted too.
void* operator new(std::size_t size) {
  tolvane::bench::counted.fetch_add(1, std::memory_order_relaxed);
  if (void* block = std::malloc(size == 0 ? 1 : size)) return block;
  throw std::bad_alloc();
}
void operator delete(void* block) noexcept {
  std::free(block);
}
void operator delete(void* block, std::size_t) noexcept {
  std::free(block);
}
