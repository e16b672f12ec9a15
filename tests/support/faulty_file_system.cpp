#include "support/faulty_file_system.h"

#include <algorithm>
#include <new>

namespace tolvane::testing {

template <typename Result>
Result FaultyFileSystem::Finished(Result result) {
  if (afterEach) afterEach();
  return result;
}

class FaultyFileSystem::Reader final : public ReadableFile {
 public:
  Reader(std::unique_ptr<ReadableFile> real, FaultyFileSystem& owner)
      : real_(std::move(real)), owner_(owner) {}
  bool Read(void* buffer, std::size_t size, std::size_t& bytesRead) override {
    const bool fails = owner_.Trips(FileFault::kRead);
    if (owner_.Trips(FileFault::kShortRead) && size > 1) size /= 2;
    return owner_.Finished(!fails && real_->Read(buffer, size, bytesRead));
  }
  bool Length(uint64_t& length) override {
    const bool fails = owner_.Trips(FileFault::kLength);
    const bool measured = !fails && real_->Length(length);
    if (owner_.Trips(FileFault::kShortLength) && measured) length /= 2;
    if (owner_.Trips(FileFault::kLongLength) && measured) length = uint64_t(1) << 62;
    return owner_.Finished(measured);
  }

 private:
  std::unique_ptr<ReadableFile> real_;
  FaultyFileSystem& owner_;
};

class FaultyFileSystem::Writer final : public WritableFile {
 public:
  Writer(std::unique_ptr<WritableFile> real, FaultyFileSystem& owner)
      : real_(std::move(real)), owner_(owner) {}
  bool Write(const void* data, std::size_t size, std::size_t& bytesWritten) override {
    const bool fails = owner_.Trips(FileFault::kWrite);
    if (owner_.Trips(FileFault::kShortWrite) && size > 1) size /= 2;
    if (owner_.Trips(FileFault::kZeroWrite)) {
      bytesWritten = 0;
      return owner_.Finished(!fails);
    }
    if (owner_.maxWrite != 0) size = std::min(size, owner_.maxWrite);
    return owner_.Finished(!fails && real_->Write(data, size, bytesWritten));
  }
  bool Commit() override {
    const bool committed = real_->Commit();
    return owner_.Finished(!owner_.Trips(FileFault::kCommit) && committed);
  }

 private:
  std::unique_ptr<WritableFile> real_;
  FaultyFileSystem& owner_;
};

bool FaultyFileSystem::Trips(FileFault fault) {
  ++counts[fault];
  auto pending = pending_.find(fault);
  if (pending == pending_.end()) return false;
  if (pending->second == 0) return true;
  if (--pending->second > 0) return false;
  pending_.erase(pending);
  return true;
}

bool FaultyFileSystem::Exists(const std::string& path) {
  operations.push_back("exists " + path);
  return Finished(!Trips(FileFault::kExists) && real_.Exists(path));
}

std::unique_ptr<ReadableFile> FaultyFileSystem::OpenForReading(const std::string& path) {
  operations.push_back("open-read " + path);
  if (Trips(FileFault::kOpenForReading)) return Finished(std::unique_ptr<ReadableFile>());
  auto real = real_.OpenForReading(path);
  if (real == nullptr) return Finished(std::unique_ptr<ReadableFile>());
  return Finished(std::unique_ptr<ReadableFile>(new Reader(std::move(real), *this)));
}

std::unique_ptr<WritableFile> FaultyFileSystem::OpenForWriting(const std::string& path) {
  operations.push_back("open-write " + path);
  if (Trips(FileFault::kOpenForWriting)) return Finished(std::unique_ptr<WritableFile>());
  auto real = real_.OpenForWriting(path);
  if (real == nullptr) return Finished(std::unique_ptr<WritableFile>());
  return Finished(std::unique_ptr<WritableFile>(new Writer(std::move(real), *this)));
}

bool FaultyFileSystem::Rename(const std::string& from, const std::string& to) {
  operations.push_back("rename " + from + " " + to);
  return Finished(!Trips(FileFault::kRename) && real_.Rename(from, to));
}

bool FaultyFileSystem::RenameToFreeName(const std::string& from, const std::string& to) {
  operations.push_back("rename-free " + from + " " + to);
  return Finished(!Trips(FileFault::kRename) && real_.RenameToFreeName(from, to));
}

bool FaultyFileSystem::Remove(const std::string& path) noexcept {
  // Never throws, as the real one: with memory running out the log and the count miss it.
  try {
    operations.push_back("remove " + path);
    if (Trips(FileFault::kRemove)) return Finished(false);
  } catch (const std::bad_alloc&) {
  }
  return Finished(real_.Remove(path));
}

bool FaultyFileSystem::ReadTimes(const std::string& path, FileTimes& times) {
  operations.push_back("read-times " + path);
  return Finished(!Trips(FileFault::kReadTimes) && real_.ReadTimes(path, times));
}

bool FaultyFileSystem::WriteTimes(const std::string& path, const FileTimes& times) {
  operations.push_back("write-times " + path);
  return Finished(!Trips(FileFault::kWriteTimes) && real_.WriteTimes(path, times));
}

}  // namespace tolvane::testing
