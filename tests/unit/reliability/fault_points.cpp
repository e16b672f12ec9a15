#include "unit/reliability/fault_points.h"

namespace tolvane::testing {

namespace {

const char* Name(FileFault fault) {
  switch (fault) {
    case FileFault::kExists:
      return "exists";
    case FileFault::kOpenForReading:
      return "open for reading";
    case FileFault::kOpenForWriting:
      return "open for writing";
    case FileFault::kRead:
      return "read";
    case FileFault::kShortRead:
      return "short read";
    case FileFault::kLength:
      return "length";
    case FileFault::kWrite:
      return "write";
    case FileFault::kShortWrite:
      return "short write";
    case FileFault::kCommit:
      return "commit";
    case FileFault::kRename:
      return "rename";
    case FileFault::kRemove:
      return "remove";
    case FileFault::kReadTimes:
      return "read times";
    case FileFault::kWriteTimes:
      return "write times";
  }
  return "?";
}

class CountingReadableFile final : public ReadableFile {
 public:
  CountingReadableFile(std::unique_ptr<ReadableFile> real, std::map<FileFault, int>& counts)
      : real_(std::move(real)), counts_(counts) {}
  bool Read(void* buffer, std::size_t size, std::size_t& bytesRead) override {
    ++counts_[FileFault::kRead];
    ++counts_[FileFault::kShortRead];
    return real_->Read(buffer, size, bytesRead);
  }
  bool Length(uint64_t& length) override {
    ++counts_[FileFault::kLength];
    return real_->Length(length);
  }

 private:
  std::unique_ptr<ReadableFile> real_;
  std::map<FileFault, int>& counts_;
};

class CountingWritableFile final : public WritableFile {
 public:
  CountingWritableFile(std::unique_ptr<WritableFile> real, std::map<FileFault, int>& counts)
      : real_(std::move(real)), counts_(counts) {}
  bool Write(const void* data, std::size_t size, std::size_t& bytesWritten) override {
    ++counts_[FileFault::kWrite];
    ++counts_[FileFault::kShortWrite];
    return real_->Write(data, size, bytesWritten);
  }
  bool Commit() override {
    ++counts_[FileFault::kCommit];
    return real_->Commit();
  }

 private:
  std::unique_ptr<WritableFile> real_;
  std::map<FileFault, int>& counts_;
};

}  // namespace

std::string FaultPoint::Describe() const {
  if (nth == 0) return "no failure";
  return std::string(Name(kind)) + " #" + std::to_string(nth) + " fails";
}

bool CountingFileSystem::Exists(const std::string& path) {
  ++counts[FileFault::kExists];
  return real_.Exists(path);
}

std::unique_ptr<ReadableFile> CountingFileSystem::OpenForReading(const std::string& path) {
  ++counts[FileFault::kOpenForReading];
  auto real = real_.OpenForReading(path);
  if (real == nullptr) return nullptr;
  return std::make_unique<CountingReadableFile>(std::move(real), counts);
}

std::unique_ptr<WritableFile> CountingFileSystem::OpenForWriting(const std::string& path) {
  ++counts[FileFault::kOpenForWriting];
  auto real = real_.OpenForWriting(path);
  if (real == nullptr) return nullptr;
  return std::make_unique<CountingWritableFile>(std::move(real), counts);
}

bool CountingFileSystem::Rename(const std::string& from, const std::string& to) {
  ++counts[FileFault::kRename];
  return real_.Rename(from, to);
}

bool CountingFileSystem::Remove(const std::string& path) {
  ++counts[FileFault::kRemove];
  return real_.Remove(path);
}

bool CountingFileSystem::ReadTimes(const std::string& path, FileTimes& times) {
  ++counts[FileFault::kReadTimes];
  return real_.ReadTimes(path, times);
}

bool CountingFileSystem::WriteTimes(const std::string& path, const FileTimes& times) {
  ++counts[FileFault::kWriteTimes];
  return real_.WriteTimes(path, times);
}

}  // namespace tolvane::testing
