#include "filelist/file_list_state.h"

#include <memory>
#include <string>
#include <vector>

#include "filelist/file_entry_ops.h"
#include "filelist/file_list_reader.h"
#include "filelist/file_list_writer.h"
#include "filelist/file_transfer.h"
#include "filelist/project_export.h"
#include "filelist/set_aside.h"

namespace tolvane {
namespace {

// A path's key for the unread-file mark, never 0 (no mark): odd, one bit of the hash given up.
// Made without allocating, so that running out of memory cannot keep a load from marking its
// file.
uint64_t UnreadFileKey(const char* path) noexcept {
  uint64_t key = 14695981039346656037u;  // FNV-1a
  for (const char* c = path; *c != '\0'; ++c) key = (key ^ uint8_t(*c)) * 1099511628211u;
  return key | 1;
}

// A host's null path reads as "", as every null text from a host does.
const char* PathText(const char* hostPath) {
  return hostPath != nullptr ? hostPath : "";
}

}  // namespace

bool FileListState::Load(bool exportToHost) {
  if (workspace_ == nullptr) return false;
  const char* hostPath = PathText(workspace_->FileListPath());
  // Marked until the file is read or set aside, running out of memory included.
  unreadFile_ = UnreadFileKey(hostPath);
  const std::string path = hostPath;
  FileSystem& fs = *fileSystem_;
  std::unique_ptr<ReadableFile> file;
  std::vector<uint8_t> bytes;
  const bool exists = !path.empty() && fs.Exists(path);
  if (exists) file = fs.OpenForReading(path);
  // A failing read says nothing about the file's contents: leave it where it is.
  const bool read = file != nullptr && ReadToEnd(*file, bytes);
  // Decoded beside the list, so that running out of memory leaves the list as it was; every
  // other outcome but a good read leaves it empty.
  FileEntryList loaded(list_.blockSize);
  const bool decoded = read && DecodeFileList(bytes, loaded).ok();
  bytes = {};
  bool gone = false;
  if (exists && read && !decoded) {
    file.reset();  // closed before it is moved; if the move fails it may be the only copy
    std::string aside;
    gone = SetAside(fs, path, aside);
  }
  if (!exists || decoded || gone) unreadFile_ = 0;
  SwapFileEntryLists(list_, loaded);                 // `loaded` now holds the old entries
  if (!exists || decoded) hostListRefused_ = false;  // the list is the file's now
  if (!exists) return true;
  if (!decoded) return false;
  // The entries read stay whatever the export does: put back, the older list would reach the
  // next save while nothing marks the file it replaces.
  if (exportToHost && !list_.empty()) ExportToHost(*workspace_, fs, list_, path);
  return true;
}

bool FileListState::Save() {
  if (workspace_ == nullptr || hostListRefused_) return false;
  std::vector<uint8_t> bytes;
  EncodeFileList(list_, bytes);
  const char* hostPath = PathText(workspace_->FileListPath());
  const std::string path = hostPath;
  if (path.empty()) return false;  // names no file
  std::string aside;               // where the set-aside went: putting back must not allocate
  FileSystem& fs = *fileSystem_;
  bool setAside = false;
  if (unreadFile_ != 0 && unreadFile_ == UnreadFileKey(hostPath)) {
    // The user's list that a load could not read is kept, as a load keeps an unreadable file,
    // before anything replaces it.
    if (fs.Exists(path)) {
      if (!SetAside(fs, path, aside)) return false;
      setAside = true;
    }
    unreadFile_ = 0;
  }
  // Nothing was written (a failure, or memory running out): the user's list goes back to its
  // path, still unread, rather than wait under its set-aside name while the next load finds no
  // file and reports an empty list.
  const auto putBack = [&] {
    try {
      if (setAside && fs.RenameToFreeName(aside, path)) unreadFile_ = UnreadFileKey(hostPath);
    } catch (...) {
      // Best effort: the list stays set aside, where a user can still find it.
    }
  };
  bool written = false;
  try {
    written = ReplaceFileContents(fs, path, bytes);
  } catch (...) {
    putBack();
    throw;
  }
  if (!written) putBack();
  return written;
}

void FileListState::CopyTo(FileEntryList* destination) const {
  if (destination != nullptr) CopyFileEntries(list_, *destination);
}

void FileListState::CopyFrom(const FileEntryList* source) {
  if (source == nullptr) return;
  hostListRefused_ = true;  // until the copy is in
  CopyFileEntries(*source, list_);
  hostListRefused_ = false;
}

void CopyFileEntries(const FileEntryList& source, FileEntryList& destination) {
  if (&source == &destination) return;  // clearing first would destroy the source
  FileEntryList copy(destination.blockSize);
  for (const FileEntry& entry : source) AppendEntry(copy, NameOf(entry), entry.flags);
  SwapFileEntryLists(copy, destination);
  // `copy` now holds the destination's old entries and blocks, released here.
}

}  // namespace tolvane
