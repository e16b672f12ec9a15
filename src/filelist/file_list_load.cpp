#include "filelist/file_list_load.h"

#include <vector>

#include "filelist/file_list_reader.h"
#include "filelist/file_transfer.h"
#include "filelist/project_export.h"
#include "filelist/set_aside.h"

namespace tolvane {

bool LoadFileListFile(HostWorkspace& workspace, FileSystem& fs, FileEntryList& list,
                      bool exportToHost) {
  list.Clear();
  const std::string& path = workspace.FileListPath();
  if (!fs.Exists(path)) return true;
  std::unique_ptr<ReadableFile> file = fs.OpenForReading(path);
  if (file == nullptr) return false;
  std::vector<uint8_t> bytes;
  // A failing read says nothing about the file's contents: leave it where it is.
  if (!ReadToEnd(*file, bytes)) return false;
  if (!DecodeFileList(bytes, list).ok()) {
    file.reset();  // closed before it is moved
    SetAsideUnreadableFile(fs, path);
    return false;
  }
  bytes = {};
  if (exportToHost && !list.empty()) ExportToHost(workspace, fs, list, path);
  return true;
}

}  // namespace tolvane
