// The file list the module keeps, and the services the host reaches it by: load from and save to
// the workspace's file-list file, copy out to and in from a list of the host's. They run on the
// host's user-interface thread. Running out of memory raises the out-of-memory exception with the
// list as it was (a load's export aside, see Load); null lists and a missing workspace are safe
// no-ops, and a null path reads as "", which names no file.
#pragma once

#include <cstdint>

#include "filelist/file_system.h"
#include "tolvane/file_entry_list.h"
#include "tolvane/host_objects.h"

namespace tolvane {

class FileListState {
 public:
  explicit FileListState(FileSystem& fileSystem = NativeFileSystem()) : fileSystem_(&fileSystem) {}

  // Given at creation; owned by the host; null forgets it.
  void SetWorkspace(HostWorkspace* workspace) { workspace_ = workspace; }
  const FileEntryList& List() const { return list_; }

  // Replaces the list with the contents of the file the workspace names (path asked once):
  // - no file there (or an empty path): true, list empty;
  // - the file cannot be opened or read: false, list empty, file left alone;
  // - the file is unreadable (bad magic, other version, shorter than it claims): false, list
  //   empty, the file set aside (see set_aside.h; left in place if no name takes it);
  // - read in full: true; then, when `exportToHost` is set and the list is not empty, the
  //   project export and host flag update run while the file is still open. An export that runs
  //   out of memory lets the exception out with the file's entries held: the list is the file's
  //   whatever the export did, so no save can put an older list in its place.
  // A file that is there but was not read (it could not be opened or read, memory ran out, or it
  // could not be moved aside) stays marked until a load reads it or a save has set it aside.
  bool Load(bool exportToHost);

  // Writes the list to the path the workspace names (asked once), replacing the old file in one
  // rename. False when the file could not be written (the old file is then untouched), when the
  // path is empty, and while the list is not the host's (see CopyFrom), with nothing written.
  // A marked file is first set aside: false, with nothing written, when that fails; a write that
  // fails after it (or runs out of memory) moves the file back and keeps it marked.
  bool Save();

  // Replaces the caller's list with a copy of this one (blocks of the caller's size).
  void CopyTo(FileEntryList* destination) const;
  // Replaces this list with a copy of the caller's; the caller's is not changed. When memory
  // runs out the list stays as it was, and until a later copy or a load that reads the file (or
  // finds none) succeeds, Save refuses: the host's entry has no result to tell it, and a save
  // reporting success with the older list would hide the loss.
  void CopyFrom(const FileEntryList* source);

 private:
  FileEntryList list_{10};  // empty from load to unload; cleared at unload
  HostWorkspace* workspace_ = nullptr;
  FileSystem* fileSystem_;
  uint64_t unreadFile_ = 0;       // the mark: a key of the unread file's path, 0 for none
  bool hostListRefused_ = false;  // the host's last list could not be taken in
};

// Replaces `destination` by a copy of each entry of `source` (name and bits 0 and 1), in order,
// in blocks of the destination's size. The copy is made in full before the destination's entries
// go, so running out of memory leaves `destination` as it was. Copying a list onto itself
// changes nothing.
void CopyFileEntries(const FileEntryList& source, FileEntryList& destination);

}  // namespace tolvane
