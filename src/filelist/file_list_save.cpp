#include "filelist/file_list_save.h"

#include <vector>

#include "filelist/file_list_format.h"
#include "filelist/file_list_load.h"
#include "filelist/file_list_writer.h"
#include "filelist/file_transfer.h"

namespace tolvane {

bool SaveFileListFile(HostWorkspace& workspace, FileSystem& fs, const FileEntryList& list,
                      uint64_t* unreadFile) {
  std::vector<uint8_t> bytes;
  EncodeFileList(list, bytes);
  const char* hostPath = workspace.FileListPath();
  if (hostPath == nullptr) return false;
  const std::string path = hostPath;
  if (unreadFile != nullptr && *unreadFile != 0 && *unreadFile == UnreadFileKey(hostPath)) {
    // The user's list that a load could not read is kept, under the name a load gives an
    // unreadable file, before anything replaces it.
    if (fs.Exists(path) && !fs.Rename(path, path + file_list_format::kSetAsideSuffix)) {
      return false;
    }
    *unreadFile = 0;
  }
  return ReplaceFileContents(fs, path, bytes);
}

}  // namespace tolvane
