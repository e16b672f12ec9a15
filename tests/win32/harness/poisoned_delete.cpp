#include "harness/poisoned_delete.h"

#include <malloc.h>

#include <cstddef>
#include <vector>

namespace tolvane::testing {
namespace {

using Free = void(__cdecl*)(void*);

struct Block {
  unsigned char* start;
  std::size_t size;
};

// The replacement is a plain function: what it needs lives here, for the one patch at a time.
uintptr_t g_poison = 0;
std::vector<Block>* g_kept = nullptr;

// Byte i of the block: the poison repeated in pointer-sized words, so an aligned pointer or
// handle field of a freed object reads exactly the poison.
unsigned char PoisonByte(std::size_t i) {
  return static_cast<unsigned char>(g_poison >> (8 * (i % sizeof g_poison)));
}

void Fill(Block block) {
  for (std::size_t i = 0; i < block.size; ++i) {
    block.start[i] = PoisonByte(i);
  }
}

bool StillPoisoned(Block block) {
  for (std::size_t i = 0; i < block.size; ++i) {
    if (block.start[i] != PoisonByte(i)) return false;
  }
  return true;
}

void __cdecl PoisoningFree(void* pointer) {
  if (pointer == nullptr) return;
  Block block{static_cast<unsigned char*>(pointer), _msize(pointer)};
  Fill(block);
  g_kept->push_back(block);
}

}  // namespace

PoisonedDelete::PoisonedDelete(HMODULE module, uintptr_t poison) {
  g_poison = poison;
  g_kept = new std::vector<Block>;
  patch_ = std::make_unique<ImportPatch>(module, "msvcrt.dll", "free",
                                         reinterpret_cast<const void*>(&PoisoningFree));
}

PoisonedDelete::~PoisonedDelete() {
  auto original = reinterpret_cast<Free>(const_cast<void*>(patch_->Original()));
  patch_.reset();  // the module's own free again, before the kept blocks go through it
  if (original != nullptr) {
    for (const Block& block : *g_kept) original(block.start);
  }
  delete g_kept;
  g_kept = nullptr;
}

int PoisonedDelete::BlocksFreed() const {
  return static_cast<int>(g_kept->size());
}

int PoisonedDelete::BlocksWrittenAfterFree() const {
  int written = 0;
  for (const Block& block : *g_kept) written += StillPoisoned(block) ? 0 : 1;
  return written;
}

}  // namespace tolvane::testing
