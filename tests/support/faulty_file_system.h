// A FileSystem in front of the real one for tests: it fails a chosen operation (fault injection),
// counts and logs the operations it passes on, can cap each write so that a save takes many steps,
// and can call back after every finished operation.
#pragma once

#include <cstddef>
#include <functional>
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
  kShortLength,  // the length comes out at half the real one, as of a file that grew since
  kLongLength,   // the length comes out as 2^62 bytes, more than any memory holds
  kWrite,        // write error
  kShortWrite,   // the write takes at most half of what was offered (no error)
  kZeroWrite,    // the write reports success with nothing taken, as a user-space file system may
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
  // Nothing fails from now on, whatever was pending.
  void FailNone() { pending_.clear(); }

  bool Exists(const std::string& path) override;
  std::unique_ptr<ReadableFile> OpenForReading(const std::string& path) override;
  std::unique_ptr<WritableFile> OpenForWriting(const std::string& path) override;
  bool Rename(const std::string& from, const std::string& to) override;
  bool RenameToFreeName(const std::string& from, const std::string& to) override;  // kRename
  bool Remove(const std::string& path) noexcept override;
  bool ReadTimes(const std::string& path, FileTimes& times) override;
  bool WriteTimes(const std::string& path, const FileTimes& times) override;

  // Operations so far by the fault that would hit them: a read counts for both kRead and
  // kShortRead, a length for kLength, kShortLength and kLongLength, a write for kWrite,
  // kShortWrite and kZeroWrite.
  std::map<FileFault, int> counts;
  std::vector<std::string> operations;  // "open-read PATH", "rename FROM TO", ...
  std::function<void()> afterEach;      // called when any operation has finished, if set
  std::size_t maxWrite = 0;             // the most one write passes on; 0 means no cap

 private:
  class Reader;
  class Writer;

  // Counts an operation of that kind and tells whether it is the one to fail.
  bool Trips(FileFault fault);
  template <typename Result>
  Result Finished(Result result);

  FileSystem& real_;
  std::map<FileFault, int> pending_;
};

}  // namespace tolvane::testing
