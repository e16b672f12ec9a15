#include "filelist/file_list_save.h"

#include <vector>

#include "filelist/file_list_format.h"
#include "filelist/file_list_writer.h"
#include "filelist/file_transfer.h"

namespace tolvane {

bool SaveFileListFile(HostWorkspace& workspace, FileSystem& fs, const FileEntryList& list,
                      std::string* unreadPath) {
  std::vector<uint8_t> bytes;
  if (!EncodeFileList(list, bytes)) return false;
  const char* hostPath = workspace.FileListPath();
  if (hostPath == nullptr) return false;
  const std::string path = hostPath;
  if (unreadPath != nullptr && !unreadPath->empty() && *unreadPath == path) {
    // The user's list that a load could not read is kept, under the name a load gives an
    // unreadable file, before anything replaces it.
    if (fs.Exists(path) && !fs.Rename(path, path + file_list_format::kSetAsideSuffix)) {
      return false;
    }
    unreadPath->clear();
  }
  return ReplaceFileContents(fs, path, bytes);
}

}  // namespace tolvane
