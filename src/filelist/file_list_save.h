// Writing a FileEntryList to the workspace's file-list file.
#pragma once

#include <cstdint>

#include "filelist/file_system.h"
#include "tolvane/file_entry_list.h"
#include "tolvane/host_objects.h"

namespace tolvane {

// Writes `list` to the path the workspace names (asked once), replacing the old file in one
// rename. False when the file could not be written (the old file is then untouched) or a name is
// too long to store (nothing is written).
// When `unreadFile` keys the file (a load found it but did not read it, see file_list_load.h), the
// file is first moved to its ".old" name: false, with nothing written, when that fails; a write
// that fails after it moves the file back and keeps it marked.
bool SaveFileListFile(HostWorkspace& workspace, FileSystem& fs, const FileEntryList& list,
                      uint64_t* unreadFile = nullptr);

}  // namespace tolvane
