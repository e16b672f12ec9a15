// The file list the module keeps and the file-list services the operation table hands the host
// (entries 9 to 12), over it. They run on the host's user-interface thread. Running out of memory
// raises the out-of-memory exception with the lists as they were; null arguments and a missing
// workspace are safe no-ops.
#pragma once

#include <cstdint>

#include "filelist/file_system.h"
#include "tolvane/file_entry_list.h"
#include "tolvane/host_objects.h"

namespace tolvane {

struct FileListState {
  FileEntryList list{10};              // empty from load to unload; cleared at unload
  HostWorkspace* workspace = nullptr;  // given at creation; owned by the host; null forgets it
  FileSystem* fileSystem = &NativeFileSystem();
  // A list file that the last load found but did not read (its key, 0 for none): the next save
  // sets it aside first.
  uint64_t unreadFile = 0;
};

// Entry 9: replaces the list with the workspace's file-list file; with `exportToHost` set, a good
// non-empty read is then pushed into the host's project model. True when there was no file or it
// was read in full.
bool LoadFileList(FileListState& state, bool exportToHost);

// Entry 10: writes the list to the workspace's file-list file in one replace. False when nothing
// could be stored (no workspace, a write failure, a name over 65,535 bytes).
bool SaveFileList(FileListState& state);

// Entry 11: replaces the caller's list with a copy of the module's (blocks of the caller's size).
void GetFileList(const FileListState& state, FileEntryList* destination);

// Entry 12: replaces the module's list with a copy of the caller's; the caller's is not changed.
void SetFileList(FileListState& state, const FileEntryList* source);

// Replaces `destination` by a copy of each entry of `source` (name and bits 0 and 1), in order,
// in blocks of the destination's size. The copy is made in full before the destination's entries
// go, so running out of memory leaves `destination` as it was. Copying a list onto itself
// changes nothing.
void CopyFileEntries(const FileEntryList& source, FileEntryList& destination);

}  // namespace tolvane
