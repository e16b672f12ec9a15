#include "filelist/file_list_save.h"

#include <vector>

#include "filelist/file_list_writer.h"
#include "filelist/file_transfer.h"

namespace tolvane {

bool SaveFileListFile(HostWorkspace& workspace, FileSystem& fs, const FileEntryList& list) {
  std::vector<uint8_t> bytes;
  if (!EncodeFileList(list, bytes)) return false;
  const char* path = workspace.FileListPath();
  if (path == nullptr) return false;
  return ReplaceFileContents(fs, path, bytes);
}

}  // namespace tolvane
