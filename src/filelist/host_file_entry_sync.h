// Bringing the host's per-file objects into line with bits 0 and 1 of the module's entries.
#pragma once

#include "tolvane/file_entry_list.h"
#include "tolvane/host_objects.h"

namespace tolvane {

// Asks the workspace for its HostFileEntrySet once; then, for every entry in list order that
// the host has an object for: sets its first flag to bit 0 only when it differs, and its second
// flag to bit 1 always.
void SyncHostFileEntries(HostWorkspace& workspace, const FileEntryList& list);

}  // namespace tolvane
