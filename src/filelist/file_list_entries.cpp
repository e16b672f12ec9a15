#include "filelist/file_list_entries.h"

#include "filelist/file_entry_ops.h"
#include "filelist/file_list_load.h"
#include "filelist/file_list_save.h"

namespace tolvane {

bool LoadFileList(FileListState& state, bool exportToHost) {
  if (state.workspace == nullptr) return false;
  return LoadFileListFile(*state.workspace, *state.fileSystem, state.list, exportToHost,
                          &state.unreadFile);
}

bool SaveFileList(FileListState& state) {
  if (state.workspace == nullptr) return false;
  return SaveFileListFile(*state.workspace, *state.fileSystem, state.list, &state.unreadFile);
}

void GetFileList(const FileListState& state, FileEntryList* destination) {
  if (destination != nullptr) CopyFileEntries(state.list, *destination);
}

void SetFileList(FileListState& state, const FileEntryList* source) {
  if (source != nullptr) CopyFileEntries(*source, state.list);
}

void CopyFileEntries(const FileEntryList& source, FileEntryList& destination) {
  if (&source == &destination) return;  // clearing first would destroy the source
  FileEntryList copy(destination.blockSize);
  for (const FileEntry& entry : source) AppendEntry(copy, NameOf(entry), entry.flags);
  SwapFileEntryLists(copy, destination);
  // `copy` now holds the destination's old entries and blocks, released here.
}

}  // namespace tolvane
