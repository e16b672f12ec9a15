#include "unit/reliability/counting_allocator.h"

#include <atomic>
#include <cstdlib>
#include <new>
#include <string>

#include "tolvane/file_entry_list.h"

#ifdef _WIN32
#include "harness/import_patch.h"
#endif

namespace tolvane::testing {
namespace {

std::atomic<int64_t> g_failIn{0};
std::atomic<std::size_t> g_failSize{0};  // 0: any size
std::atomic<int64_t> g_live{0};

// Whether this allocation is the one a test asked to fail.
bool Trips(std::size_t size) {
  const std::size_t failSize = g_failSize.load();
  return (failSize == 0 || failSize == size) && g_failIn.load() > 0 && g_failIn.fetch_sub(1) == 1;
}

#ifdef _WIN32
// Node blocks and names come from the process heap on Windows: this program's own HeapAlloc
// calls (the file list's inline code; the C runtime allocates elsewhere) meet the same faults.
const void* g_heapAlloc = nullptr;
LPVOID WINAPI FaultyHeapAlloc(HANDLE heap, DWORD flags, SIZE_T bytes) {
  if (Trips(bytes)) return nullptr;
  return reinterpret_cast<decltype(&::HeapAlloc)>(g_heapAlloc)(heap, flags, bytes);
}
const ImportPatch g_heapPatch(::GetModuleHandleA(nullptr), "kernel32.dll", "HeapAlloc",
                              reinterpret_cast<const void*>(&FaultyHeapAlloc));
const bool g_heapOriginalKept = (g_heapAlloc = g_heapPatch.Original(), true);
#endif

void* AllocateCounted(std::size_t size) {
  if (Trips(size)) throw std::bad_alloc();
  void* memory = std::malloc(size == 0 ? 1 : size);
  if (memory == nullptr) throw std::bad_alloc();
  ++g_live;
  return memory;
}

void FreeCounted(void* memory) noexcept {
  if (memory == nullptr) return;
  --g_live;
  std::free(memory);
}

}  // namespace

void FailNthAllocation(int64_t nth) {
  FailNthAllocationOf(0, nth);
}

void FailNthAllocationOf(std::size_t bytes, int64_t nth) {
  g_failSize = bytes;
  g_failIn = nth;
}

bool AllocationFaultPending() {
  return g_failIn.load() > 0;
}

int64_t LiveAllocations() {
  return g_live.load();
}

bool RoutesStringAllocations() {
  const std::string source(100, 'x');
  FailNthAllocation(1);
  bool routed = false;
  try {
    std::string copy(source);
  } catch (const std::bad_alloc&) {
    routed = true;
  }
  FailNthAllocation(0);
  return routed;
}

bool RoutesNodeBlocks() {
  FileEntryList list(1);
  FailNthAllocationOf(node_blocks::kSlotsOffset + sizeof(FileEntryNode), 1);
  const bool routed = !list.AppendText("x", 0);
  FailNthAllocation(0);
  return routed;
}

}  // namespace tolvane::testing

void* operator new(std::size_t size) {
  return tolvane::testing::AllocateCounted(size);
}
void* operator new[](std::size_t size) {
  return tolvane::testing::AllocateCounted(size);
}
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
  try {
    return tolvane::testing::AllocateCounted(size);
  } catch (const std::bad_alloc&) {
    return nullptr;
  }
}
void operator delete(void* memory, const std::nothrow_t&) noexcept {
  tolvane::testing::FreeCounted(memory);
}
void operator delete(void* memory) noexcept {
  tolvane::testing::FreeCounted(memory);
}
void operator delete[](void* memory) noexcept {
  tolvane::testing::FreeCounted(memory);
}
void operator delete(void* memory, std::size_t) noexcept {
  tolvane::testing::FreeCounted(memory);
}
void operator delete[](void* memory, std::size_t) noexcept {
  tolvane::testing::FreeCounted(memory);
}
