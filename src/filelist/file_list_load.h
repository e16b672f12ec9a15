// Reading the workspace's file-list file into a FileEntryList, and what follows a good read.
#pragma once

#include <cstdint>

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
// When given, `unreadFile` keys afterwards a file that is there but was not read (it could not be
// opened or read, memory ran out, or it could not be moved aside): a save must set that file aside
// before it writes. It is 0 when the file was read or is gone.
bool LoadFileListFile(HostWorkspace& workspace, FileSystem& fs, FileEntryList& list,
                      bool exportToHost, uint64_t* unreadFile = nullptr);

// A path's key for that mark, never 0; made without allocating, so that running out of memory
// cannot keep a load from marking its file.
uint64_t UnreadFileKey(const char* path) noexcept;

}  // namespace tolvane
