// Reading the workspace's file-list file into a FileEntryList, and what follows a good read.
#pragma once

#include "filelist/file_system.h"
#include "tolvane/file_entry_list.h"
#include "tolvane/host_objects.h"

namespace tolvane {

// Replaces `list` with the contents of the file the workspace names (path asked once):
// - no file there: true, list empty;
// - the file cannot be opened or read: false, list empty, file left alone;
// - the file is unreadable (bad magic, other version, shorter than it claims): false, list
//   empty, the file moved to its ".old" name (or left in place if that rename fails);
// - read in full: true; then, when `exportToHost` is set and the list is not empty, the
//   project export and host flag update run while the file is still open.
bool LoadFileListFile(HostWorkspace& workspace, FileSystem& fs, FileEntryList& list,
                      bool exportToHost);

}  // namespace tolvane
