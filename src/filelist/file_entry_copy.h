// Copying one FileEntryList into another, as the host's get and set operations do.
#pragma once

#include "tolvane/file_entry_list.h"

namespace tolvane {

// Clears `destination`, then appends a copy of each entry of `source` (name and bits 0 and 1), in
// order. Nodes come from the destination's own pool. Copying a list onto itself changes nothing.
// An out-of-memory exception leaves the entries copied so far in `destination`.
void CopyFileEntries(const FileEntryList& source, FileEntryList& destination);

}  // namespace tolvane
