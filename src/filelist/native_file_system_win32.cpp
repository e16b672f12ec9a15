// The file system seam over the Win32 API (the Windows build). Paths are narrow, in the ANSI
// code page, as the host hands them over.
#ifdef _WIN32

#include <windows.h>

#include "filelist/file_system.h"

namespace tolvane {

const char* const kPlatformLineEnd = "\r\n";

namespace {

constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;
// One read or write moves at most this much: the calls take 32-bit sizes, and the system buffers
// each transfer whole, so a very large one can fail for want of kernel memory where pieces pass.
constexpr DWORD kLargestTransfer = 1u << 20;

int64_t FromFileTime(const FILETIME& time) {
  return int64_t((uint64_t(time.dwHighDateTime) << 32) | time.dwLowDateTime);
}

FILETIME ToFileTime(int64_t value) {
  FILETIME time;
  time.dwLowDateTime = DWORD(uint64_t(value) & 0xFFFFFFFFu);
  time.dwHighDateTime = DWORD(uint64_t(value) >> 32);
  return time;
}

class Win32ReadableFile final : public ReadableFile {
 public:
  explicit Win32ReadableFile(HANDLE handle) : handle_(handle) {}
  ~Win32ReadableFile() override { ::CloseHandle(handle_); }

  bool Read(void* buffer, std::size_t size, std::size_t& bytesRead) override {
    DWORD got = 0;
    const DWORD want = size < kLargestTransfer ? DWORD(size) : kLargestTransfer;
    bytesRead = 0;
    if (!::ReadFile(handle_, buffer, want, &got, nullptr)) return false;
    bytesRead = got;
    return true;
  }

  bool Length(uint64_t& length) override {
    LARGE_INTEGER size;
    if (!::GetFileSizeEx(handle_, &size)) return false;
    length = uint64_t(size.QuadPart);
    return true;
  }

 private:
  HANDLE handle_;
};

class Win32WritableFile final : public WritableFile {
 public:
  explicit Win32WritableFile(HANDLE handle) : handle_(handle) {}
  ~Win32WritableFile() override {
    if (handle_ != INVALID_HANDLE_VALUE) ::CloseHandle(handle_);
  }

  bool Write(const void* data, std::size_t size, std::size_t& bytesWritten) override {
    DWORD put = 0;
    const DWORD want = size < kLargestTransfer ? DWORD(size) : kLargestTransfer;
    bytesWritten = 0;
    if (!::WriteFile(handle_, data, want, &put, nullptr)) return false;
    bytesWritten = put;
    return true;
  }

  // Closing a handle of our own cannot fail: what did not reach the disk shows at the flush.
  bool Commit() override {
    const bool flushed = ::FlushFileBuffers(handle_) != 0;
    ::CloseHandle(handle_);
    handle_ = INVALID_HANDLE_VALUE;
    return flushed;
  }

 private:
  HANDLE handle_;
};

HANDLE OpenForAttributes(const std::string& path, DWORD access) {
  return ::CreateFileA(path.c_str(), access, kShareAll, nullptr, OPEN_EXISTING,
                       FILE_FLAG_BACKUP_SEMANTICS, nullptr);
}

class Win32FileSystem final : public FileSystem {
 public:
  // Only a certain "not there" is absent: a path whose attributes cannot be read (a network or
  // permission error) counts as present, so that the load's open fails and keeps the file.
  bool Exists(const std::string& path) override {
    if (::GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES) return true;
    const DWORD error = ::GetLastError();
    return error != ERROR_FILE_NOT_FOUND && error != ERROR_PATH_NOT_FOUND &&
           error != ERROR_INVALID_NAME && error != ERROR_BAD_PATHNAME &&
           error != ERROR_FILENAME_EXCED_RANGE && error != ERROR_INVALID_DRIVE;
  }

  std::unique_ptr<ReadableFile> OpenForReading(const std::string& path) override {
    HANDLE handle = ::CreateFileA(path.c_str(), GENERIC_READ, kShareAll, nullptr, OPEN_EXISTING,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE) return nullptr;
    try {
      return std::make_unique<Win32ReadableFile>(handle);
    } catch (...) {  // out of memory: an open handle would keep the file from being moved
      ::CloseHandle(handle);
      throw;
    }
  }

  std::unique_ptr<WritableFile> OpenForWriting(const std::string& path) override {
    HANDLE handle = ::CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                                  CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE) return nullptr;
    try {
      return std::make_unique<Win32WritableFile>(handle);
    } catch (...) {  // out of memory: an open handle would keep the file from being deleted
      ::CloseHandle(handle);
      throw;
    }
  }

  bool Rename(const std::string& from, const std::string& to) override {
    return ::MoveFileExA(from.c_str(), to.c_str(),
                         MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
  }

  // Without MOVEFILE_REPLACE_EXISTING the move fails on any name that is taken.
  bool RenameToFreeName(const std::string& from, const std::string& to) override {
    return ::MoveFileExA(from.c_str(), to.c_str(), MOVEFILE_WRITE_THROUGH) != 0;
  }

  bool Remove(const std::string& path) noexcept override {
    return ::DeleteFileA(path.c_str()) != 0;
  }

  bool ReadTimes(const std::string& path, FileTimes& times) override {
    HANDLE handle = OpenForAttributes(path, FILE_READ_ATTRIBUTES);
    if (handle == INVALID_HANDLE_VALUE) return false;
    FILETIME creation, access, write;
    const bool read = ::GetFileTime(handle, &creation, &access, &write) != 0;
    ::CloseHandle(handle);
    if (!read) return false;
    times.creation = FromFileTime(creation);
    times.lastAccess = FromFileTime(access);
    times.lastWrite = FromFileTime(write);
    return true;
  }

  bool WriteTimes(const std::string& path, const FileTimes& times) override {
    HANDLE handle = OpenForAttributes(path, FILE_WRITE_ATTRIBUTES);
    if (handle == INVALID_HANDLE_VALUE) return false;
    const FILETIME creation = ToFileTime(times.creation);
    const FILETIME access = ToFileTime(times.lastAccess);
    const FILETIME write = ToFileTime(times.lastWrite);
    const bool written = ::SetFileTime(handle, &creation, &access, &write) != 0;
    ::CloseHandle(handle);
    return written;
  }
};

// Constant-initialised: there before any code of the module runs, with no first-use guard.
constinit Win32FileSystem fileSystem;

}  // namespace

FileSystem& NativeFileSystem() {
  return fileSystem;
}

}  // namespace tolvane

#endif  // _WIN32
