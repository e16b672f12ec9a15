// Every failure point of a file-system operation sequence, one at a time: a first run counts
// each kind of operation, then the sequence is run again once per operation with exactly that
// operation failing (or, for the short kinds, coming up short).
#pragma once

#include <map>
#include <memory>
#include <string>

#include "filelist/file_system.h"
#include "support/faulty_file_system.h"

namespace tolvane::testing {

// Which operation fails in one run; `nth` 0 means none does.
struct FaultPoint {
  FileFault kind = FileFault::kExists;
  int nth = 0;
  bool Is(FileFault other) const { return nth != 0 && kind == other; }
  std::string Describe() const;
};

// Counts the operations that pass through, by the fault that would hit them (a read counts for
// both kRead and kShortRead, a write for both kWrite and kShortWrite).
class CountingFileSystem final : public FileSystem {
 public:
  explicit CountingFileSystem(FileSystem& real) : real_(real) {}

  bool Exists(const std::string& path) override;
  std::unique_ptr<ReadableFile> OpenForReading(const std::string& path) override;
  std::unique_ptr<WritableFile> OpenForWriting(const std::string& path) override;
  bool Rename(const std::string& from, const std::string& to) override;
  bool Remove(const std::string& path) override;
  bool ReadTimes(const std::string& path, FileTimes& times) override;
  bool WriteTimes(const std::string& path, const FileTimes& times) override;

  std::map<FileFault, int> counts;

 private:
  FileSystem& real_;
};

}  // namespace tolvane::testing
