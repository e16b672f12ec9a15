// One failure point of a file-system operation sequence: a first run counts each kind of
// operation (FaultyFileSystem::counts), then the sequence is run again once per operation with
// exactly that operation failing (or, for the short kinds, coming up short).
#pragma once

#include <string>

#include "support/faulty_file_system.h"

namespace tolvane::testing {

// Which operation fails in one run; `nth` 0 means none does.
struct FaultPoint {
  FileFault kind = FileFault::kExists;
  int nth = 0;
  bool Is(FileFault other) const { return nth != 0 && kind == other; }
  std::string Describe() const;
};

}  // namespace tolvane::testing
