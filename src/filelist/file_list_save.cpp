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
  const std::string aside = path + file_list_format::kSetAsideSuffix;
  bool setAside = false;
  if (unreadFile != nullptr && *unreadFile != 0 && *unreadFile == UnreadFileKey(hostPath)) {
    // The user's list that a load could not read is kept, under the name a load gives an
    // unreadable file, before anything replaces it.
    if (fs.Exists(path)) {
      if (!fs.Rename(path, aside)) return false;
      setAside = true;
    }
    *unreadFile = 0;
  }
  if (ReplaceFileContents(fs, path, bytes)) return true;
  // Nothing was written: the user's list goes back to its path, still unread, rather than wait
  // under ".old" while the next load finds no file and reports an empty list.
  if (setAside && !fs.Exists(path) && fs.Rename(aside, path)) *unreadFile = UnreadFileKey(hostPath);
  return false;
}

}  // namespace tolvane
