// Makes a loaded module's use of freed memory visible, deterministically: its free (imported from
// the C runtime, under the operator delete linked into it) is replaced for as long as the object
// lives by one that fills each freed block with a given pointer-sized word and keeps the block from
// reuse. A read after the delete reads that word; a test passes the handle of a window that records
// what it is sent, so a freed window object that is used again sends there. A write after the
// delete shows as a block that no longer holds only the word. The kept blocks are freed when the
// object goes.
#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>

#include "harness/import_patch.h"

namespace tolvane::testing {

class PoisonedDelete {
 public:
  PoisonedDelete(HMODULE module, uintptr_t poison);
  ~PoisonedDelete();
  PoisonedDelete(const PoisonedDelete&) = delete;
  PoisonedDelete& operator=(const PoisonedDelete&) = delete;

  // False when the module does not import free.
  bool Active() const { return patch_->Active(); }
  // Blocks freed so far, and those of them written after their delete.
  int BlocksFreed() const;
  int BlocksWrittenAfterFree() const;

 private:
  std::unique_ptr<ImportPatch> patch_;
};

}  // namespace tolvane::testing
