// The file-list services the operation table hands the host (entries 9 to 12), over the module's
// one FileEntryList. They run on the host's user-interface thread. Out-of-memory exceptions from
// the list pass to the caller; null arguments and a missing workspace are safe no-ops.
#pragma once

#include "tolvane/file_entry_list.h"
#include "tolvane/host_objects.h"

namespace tolvane {

// The host workspace whose file-list path LoadFileList and SaveFileList use; null forgets it.
void SetFileListWorkspace(HostWorkspace* workspace);

// Entry 9: replaces the module's list with the workspace's file-list file; with `exportToHost`
// set, a good non-empty read is then pushed into the host's project model. True when there was no
// file or it was read in full.
bool LoadFileList(bool exportToHost);

// Entry 10: writes the module's list to the workspace's file-list file in one replace. False
// when nothing could be stored (no workspace, a write failure, a name over 65,535 bytes).
bool SaveFileList();

// Entry 11: replaces the caller's list with a copy of the module's (nodes from the caller's pool).
void GetFileList(FileEntryList* destination);

// Entry 12: replaces the module's list with a copy of the caller's; the caller's is not changed.
void SetFileList(const FileEntryList* source);

// At unload: destroys the module's entries and releases its blocks.
void ReleaseFileList();

}  // namespace tolvane
