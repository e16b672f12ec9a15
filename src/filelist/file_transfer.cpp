#include "filelist/file_transfer.h"

#include <algorithm>

namespace tolvane {

bool ReadToEnd(ReadableFile& file, std::vector<uint8_t>& bytes) {
  std::size_t used = bytes.size();
  uint64_t length = 0;
  // The length is a hint only: the file may have changed since. One spare byte lets the read
  // that finds the end need no further growth.
  std::size_t room = 64 * 1024;
  if (file.Length(length) && length < uint64_t(SIZE_MAX / 4)) room = std::size_t(length) + 1;
  bytes.resize(used + room);
  for (;;) {
    if (used == bytes.size()) bytes.resize(used + std::max<std::size_t>(used, 64 * 1024));
    std::size_t got = 0;
    if (!file.Read(bytes.data() + used, bytes.size() - used, got)) {
      bytes.resize(used);
      return false;
    }
    if (got == 0) break;
    used += got;
  }
  bytes.resize(used);
  return true;
}

bool WriteAll(WritableFile& file, std::span<const uint8_t> bytes) {
  while (!bytes.empty()) {
    std::size_t written = 0;
    if (!file.Write(bytes.data(), bytes.size(), written) || written == 0) return false;
    bytes = bytes.subspan(written);
  }
  return true;
}

std::string ReplacementPath(const std::string& path) {
  return path + ".new";
}

bool ReplaceFileContents(FileSystem& fs, const std::string& path, std::span<const uint8_t> bytes) {
  const std::string temporary = ReplacementPath(path);
  std::unique_ptr<WritableFile> file = fs.OpenForWriting(temporary);
  if (file == nullptr) return false;
  const bool written = WriteAll(*file, bytes) && file->Commit();
  file.reset();
  if (written && fs.Rename(temporary, path)) return true;
  fs.Remove(temporary);
  return false;
}

}  // namespace tolvane
