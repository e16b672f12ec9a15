// The file system seam over POSIX calls (the native build).
#ifndef _WIN32

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>

#include "filelist/file_system.h"

namespace tolvane {

const char* const kPlatformLineEnd = "\n";

namespace {

int64_t Nanoseconds(const timespec& time) {
  return int64_t(time.tv_sec) * 1000000000 + int64_t(time.tv_nsec);
}

timespec FromNanoseconds(int64_t value) {
  timespec time{};
  time.tv_sec = time_t(value / 1000000000);
  time.tv_nsec = long(value % 1000000000);
  return time;
}

class PosixReadableFile final : public ReadableFile {
 public:
  explicit PosixReadableFile(int fd) : fd_(fd) {}
  ~PosixReadableFile() override { ::close(fd_); }

  bool Read(void* buffer, std::size_t size, std::size_t& bytesRead) override {
    bytesRead = 0;
    ssize_t got;
    do {
      got = ::read(fd_, buffer, size);
    } while (got < 0 && errno == EINTR);
    if (got < 0) return false;
    bytesRead = std::size_t(got);
    return true;
  }

  bool Length(uint64_t& length) override {
    struct stat status {};
    if (::fstat(fd_, &status) != 0) return false;
    length = uint64_t(status.st_size);
    return true;
  }

 private:
  int fd_;
};

class PosixWritableFile final : public WritableFile {
 public:
  explicit PosixWritableFile(int fd) : fd_(fd) {}
  ~PosixWritableFile() override {
    if (fd_ >= 0) ::close(fd_);
  }

  bool Write(const void* data, std::size_t size, std::size_t& bytesWritten) override {
    bytesWritten = 0;
    ssize_t put;
    do {
      put = ::write(fd_, data, size);
    } while (put < 0 && errno == EINTR);
    if (put < 0) return false;
    bytesWritten = std::size_t(put);
    return true;
  }

  bool Commit() override {
    const bool synced = ::fsync(fd_) == 0;
    const bool closed = ::close(fd_) == 0;
    fd_ = -1;
    return synced && closed;
  }

 private:
  int fd_;
};

class PosixFileSystem final : public FileSystem {
 public:
  // Only a certain "not there" is absent: a path whose status cannot be read (a loop, an I/O
  // or permission error) counts as present, so that the load's open fails and keeps the file.
  bool Exists(const std::string& path) override {
    struct stat status {};
    if (::lstat(path.c_str(), &status) == 0) return true;
    return errno != ENOENT && errno != ENOTDIR && errno != ENAMETOOLONG;
  }

  std::unique_ptr<ReadableFile> OpenForReading(const std::string& path) override {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return nullptr;
    try {
      return std::make_unique<PosixReadableFile>(fd);
    } catch (...) {  // out of memory: the descriptor must not stay open
      ::close(fd);
      throw;
    }
  }

  std::unique_ptr<WritableFile> OpenForWriting(const std::string& path) override {
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    if (fd < 0) return nullptr;
    try {
      return std::make_unique<PosixWritableFile>(fd);
    } catch (...) {  // out of memory: the descriptor must not stay open
      ::close(fd);
      throw;
    }
  }

  bool Rename(const std::string& from, const std::string& to) override {
    return ::rename(from.c_str(), to.c_str()) == 0;
  }

  bool RenameToFreeName(const std::string& from, const std::string& to) override {
    if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0) {
      return true;
    }
    // A file system without the flag, or a kernel without the call (which the C library reports
    // as EINVAL too): a second link cannot replace anything either.
    if (errno != EINVAL) return false;
    if (::link(from.c_str(), to.c_str()) != 0) return false;
    if (::unlink(from.c_str()) == 0) return true;
    ::unlink(to.c_str());  // in one place only, as before
    return false;
  }

  bool Remove(const std::string& path) noexcept override { return ::unlink(path.c_str()) == 0; }

  bool ReadTimes(const std::string& path, FileTimes& times) override {
    struct stat status {};
    if (::stat(path.c_str(), &status) != 0) return false;
    times.creation = Nanoseconds(status.st_ctim);  // POSIX keeps no creation time
    times.lastAccess = Nanoseconds(status.st_atim);
    times.lastWrite = Nanoseconds(status.st_mtim);
    return true;
  }

  bool WriteTimes(const std::string& path, const FileTimes& times) override {
    const timespec both[2] = {FromNanoseconds(times.lastAccess), FromNanoseconds(times.lastWrite)};
    return ::utimensat(AT_FDCWD, path.c_str(), both, 0) == 0;
  }
};

// Constant-initialised, so ready before any other object's initialisation may ask for it.
constinit PosixFileSystem fileSystem;

}  // namespace

FileSystem& NativeFileSystem() {
  return fileSystem;
}

}  // namespace tolvane

#endif  // !_WIN32
