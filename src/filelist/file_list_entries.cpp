#include "filelist/file_list_entries.h"

#include "filelist/file_entry_copy.h"
#include "filelist/file_list_load.h"
#include "filelist/file_list_save.h"
#include "filelist/file_list_state.h"

namespace tolvane {

void SetFileListWorkspace(HostWorkspace* workspace) {
  TheFileListState().workspace = workspace;
}

bool LoadFileList(bool exportToHost) {
  FileListState& state = TheFileListState();
  if (state.workspace == nullptr) return false;
  return LoadFileListFile(*state.workspace, *state.fileSystem, state.list, exportToHost);
}

bool SaveFileList() {
  FileListState& state = TheFileListState();
  if (state.workspace == nullptr) return false;
  return SaveFileListFile(*state.workspace, *state.fileSystem, state.list);
}

void GetFileList(FileEntryList* destination) {
  if (destination != nullptr) CopyFileEntries(TheFileListState().list, *destination);
}

void SetFileList(const FileEntryList* source) {
  if (source != nullptr) CopyFileEntries(*source, TheFileListState().list);
}

void ReleaseFileList() {
  TheFileListState().list.Clear();
}

}  // namespace tolvane
