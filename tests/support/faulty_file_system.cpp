#include "support/faulty_file_system.h"

namespace tolvane::testing {

namespace {

class FaultyReadableFile final : public ReadableFile {
 public:
  FaultyReadableFile(std::unique_ptr<ReadableFile> real, FaultyFileSystem& owner)
      : real_(std::move(real)), owner_(owner) {}
  bool Read(void* buffer, std::size_t size, std::size_t& bytesRead) override {
    if (owner_.Trips(FileFault::kRead)) return false;
    if (owner_.Trips(FileFault::kShortRead) && size > 1) size /= 2;
    return real_->Read(buffer, size, bytesRead);
  }
  bool Length(uint64_t& length) override {
    return !owner_.Trips(FileFault::kLength) && real_->Length(length);
  }

 private:
  std::unique_ptr<ReadableFile> real_;
  FaultyFileSystem& owner_;
};

class FaultyWritableFile final : public WritableFile {
 public:
  FaultyWritableFile(std::unique_ptr<WritableFile> real, FaultyFileSystem& owner)
      : real_(std::move(real)), owner_(owner) {}
  bool Write(const void* data, std::size_t size, std::size_t& bytesWritten) override {
    if (owner_.Trips(FileFault::kWrite)) return false;
    if (owner_.Trips(FileFault::kShortWrite) && size > 1) size /= 2;
    return real_->Write(data, size, bytesWritten);
  }
  bool Commit() override {
    const bool committed = real_->Commit();
    return !owner_.Trips(FileFault::kCommit) && committed;
  }

 private:
  std::unique_ptr<WritableFile> real_;
  FaultyFileSystem& owner_;
};

}  // namespace

bool FaultyFileSystem::Trips(FileFault fault) {
  auto pending = pending_.find(fault);
  if (pending == pending_.end()) return false;
  if (pending->second == 0) return true;
  if (--pending->second > 0) return false;
  pending_.erase(pending);
  return true;
}

bool FaultyFileSystem::Exists(const std::string& path) {
  operations.push_back("exists " + path);
  return !Trips(FileFault::kExists) && real_.Exists(path);
}

std::unique_ptr<ReadableFile> FaultyFileSystem::OpenForReading(const std::string& path) {
  operations.push_back("open-read " + path);
  if (Trips(FileFault::kOpenForReading)) return nullptr;
  auto real = real_.OpenForReading(path);
  if (real == nullptr) return nullptr;
  return std::make_unique<FaultyReadableFile>(std::move(real), *this);
}

std::unique_ptr<WritableFile> FaultyFileSystem::OpenForWriting(const std::string& path) {
  operations.push_back("open-write " + path);
  if (Trips(FileFault::kOpenForWriting)) return nullptr;
  auto real = real_.OpenForWriting(path);
  if (real == nullptr) return nullptr;
  return std::make_unique<FaultyWritableFile>(std::move(real), *this);
}

bool FaultyFileSystem::Rename(const std::string& from, const std::string& to) {
  operations.push_back("rename " + from + " " + to);
  return !Trips(FileFault::kRename) && real_.Rename(from, to);
}

bool FaultyFileSystem::Remove(const std::string& path) {
  operations.push_back("remove " + path);
  return !Trips(FileFault::kRemove) && real_.Remove(path);
}

bool FaultyFileSystem::ReadTimes(const std::string& path, FileTimes& times) {
  operations.push_back("read-times " + path);
  return !Trips(FileFault::kReadTimes) && real_.ReadTimes(path, times);
}

bool FaultyFileSystem::WriteTimes(const std::string& path, const FileTimes& times) {
  operations.push_back("write-times " + path);
  return !Trips(FileFault::kWriteTimes) && real_.WriteTimes(path, times);
}

}  // namespace tolvane::testing
