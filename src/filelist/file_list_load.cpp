#include "filelist/file_list_load.h"

#include <vector>

#include "filelist/file_entry_ops.h"
#include "filelist/file_list_format.h"
#include "filelist/file_list_reader.h"
#include "filelist/file_transfer.h"
#include "filelist/project_export.h"

namespace tolvane {
namespace {

// Renames `path` to `path` + ".old", replacing an older ".old". When the rename fails the file
// stays where it is: it may be the only copy of the user's list.
bool SetAsideUnreadableFile(FileSystem& fs, const std::string& path) {
  return fs.Rename(path, path + file_list_format::kSetAsideSuffix);
}

}  // namespace

uint64_t UnreadFileKey(const char* path) noexcept {
  uint64_t key = 14695981039346656037u;  // FNV-1a
  for (const char* c = path; *c != '\0'; ++c) key = (key ^ uint8_t(*c)) * 1099511628211u;
  return key != 0 ? key : 1;
}

bool LoadFileListFile(HostWorkspace& workspace, FileSystem& fs, FileEntryList& list,
                      bool exportToHost, uint64_t* unreadFile) {
  const char* hostPath = workspace.FileListPath();
  if (hostPath == nullptr) return false;  // nowhere to read from: the list stays as it was
  // Marked until the file is read or set aside, running out of memory included.
  if (unreadFile != nullptr) *unreadFile = UnreadFileKey(hostPath);
  const std::string path = hostPath;
  std::unique_ptr<ReadableFile> file;
  std::vector<uint8_t> bytes;
  const bool exists = fs.Exists(path);
  if (exists) file = fs.OpenForReading(path);
  // A failing read says nothing about the file's contents: leave it where it is.
  const bool read = file != nullptr && ReadToEnd(*file, bytes);
  // Decoded beside the module's list, so that running out of memory leaves the list as it was;
  // every other outcome but a good read leaves it empty.
  FileEntryList loaded(list.blockSize);
  const bool decoded = read && DecodeFileList(bytes, loaded).ok();
  bytes = {};
  bool gone = false;
  if (exists && read && !decoded) {
    file.reset();  // closed before it is moved
    gone = SetAsideUnreadableFile(fs, path);
  }
  if (unreadFile != nullptr && (!exists || decoded || gone)) *unreadFile = 0;
  SwapFileEntryLists(list, loaded);  // `loaded` now holds the old entries
  if (!exists) return true;
  if (!decoded) return false;
  if (exportToHost && !list.empty()) {
    try {
      ExportToHost(workspace, fs, list, path);
    } catch (...) {
      SwapFileEntryLists(list, loaded);  // a failed load changes nothing
      throw;
    }
  }
  return true;
}

}  // namespace tolvane
