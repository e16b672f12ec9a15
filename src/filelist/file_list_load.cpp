#include "filelist/file_list_load.h"

#include <vector>

#include "filelist/file_list_format.h"
#include "filelist/file_list_reader.h"
#include "filelist/file_transfer.h"
#include "filelist/project_export.h"

namespace tolvane {
namespace {

// Renames `path` to `path` + ".old", replacing an older ".old". When the rename fails the file
// stays where it is: it may be the only copy of the user's list.
void SetAsideUnreadableFile(FileSystem& fs, const std::string& path) {
  fs.Rename(path, path + file_list_format::kSetAsideSuffix);
}

}  // namespace

bool LoadFileListFile(HostWorkspace& workspace, FileSystem& fs, FileEntryList& list,
                      bool exportToHost) {
  const std::string& path = workspace.FileListPath();
  std::unique_ptr<ReadableFile> file;
  std::vector<uint8_t> bytes;
  // The file is read before the old entries go, so that their memory is at hand for the new
  // ones; every outcome but a good read still leaves the list empty.
  const bool exists = fs.Exists(path);
  if (exists) file = fs.OpenForReading(path);
  // A failing read says nothing about the file's contents: leave it where it is.
  const bool read = file != nullptr && ReadToEnd(*file, bytes);
  list.Clear();
  if (!exists) return true;
  if (!read) return false;
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
