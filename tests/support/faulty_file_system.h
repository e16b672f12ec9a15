// A FileSystem in front of the real one that fails a chosen operation, for fault injection, and
// logs every operation it passes on.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "filelist/file_system.h"

namespace tolvane::testing {

enum class FileFault {
  kExists,  // reports that no file is there
  kOpenForReading,
  kOpenForWriting,
  kRead,       // read error
  kShortRead,  // the read hands over at most half of what was asked (no error)
  kLength,
  kWrite,       // write error
  kShortWrite,  // the write takes at most half of what was offered (no error)
  kCommit,
  kRename,
  kRemove,
  kReadTimes,
  kWriteTimes,
};

class FaultyFileSystem final : public FileSystem {
 public:
  explicit FaultyFileSystem(FileSystem& real) : real_(real) {}

  // The `nth` (counting from 1) operation of that kind from now on fails; 0 means every one.
  void Fail(FileFault fault, int nth = 1) { pending_[fault] = nth; }
  // Whether the operation about to run fails; used by the files this opens.
  bool Trips(FileFault fault);

  bool Exists(const std::string& path) override;
  std::unique_ptr<ReadableFile> OpenForReading(const std::string& path) override;
  std::unique_ptr<WritableFile> OpenForWriting(const std::string& path) override;
  bool Rename(const std::string& from, const std::string& to) override;
  bool Remove(const std::string& path) override;
  bool ReadTimes(const std::string& path, FileTimes& times) override;
  bool WriteTimes(const std::string& path, const FileTimes& times) override;

  std::vector<std::string> operations;  // "open-read PATH", "rename FROM TO", ...

 private:
  FileSystem& real_;
  std::map<FileFault, int> pending_;
};

}  // namespace tolvane::testing
