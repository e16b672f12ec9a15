// The file system as the file list needs it. Every operation reports failure by its result, so a
// test can put a decorator in front of the real one and fail any single operation (open, read,
// write, rename, delete, reading or writing times), or make a read or write come up short.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

namespace tolvane {

// A file's times in the platform's own units; they are only ever copied from one file to
// another on the same machine. Zero means unknown.
struct FileTimes {
  int64_t creation = 0;  // where the platform keeps one
  int64_t lastAccess = 0;
  int64_t lastWrite = 0;
};

class ReadableFile {
 public:
  virtual ~ReadableFile() = default;  // closes the file
  // Reads up to `size` bytes; `bytesRead` is 0 at the end of the file. False on an error.
  virtual bool Read(void* buffer, std::size_t size, std::size_t& bytesRead) = 0;
  virtual bool Length(uint64_t& length) = 0;
};

class WritableFile {
 public:
  virtual ~WritableFile() = default;  // closes the file; what was written may not be on disk
  // Writes up to `size` bytes; `bytesWritten` may come up short. False on an error.
  virtual bool Write(const void* data, std::size_t size, std::size_t& bytesWritten) = 0;
  // Puts everything written on stable storage and closes the file. False when that failed.
  virtual bool Commit() = 0;
};

class FileSystem {
 public:
  virtual ~FileSystem() = default;
  virtual bool Exists(const std::string& path) = 0;
  virtual std::unique_ptr<ReadableFile> OpenForReading(const std::string& path) = 0;
  // Creates the file or truncates it to zero length. Bytes are written as they are.
  virtual std::unique_ptr<WritableFile> OpenForWriting(const std::string& path) = 0;
  // Moves `from` to `to` in one step, replacing a file already at `to`.
  virtual bool Rename(const std::string& from, const std::string& to) = 0;
  // Moves `from` to `to` in one step only while nothing is at `to`: false when the name is taken
  // (a file, a folder), as for any other failure. It never replaces anything.
  virtual bool RenameToFreeName(const std::string& from, const std::string& to) = 0;
  // Never throws: the project export deletes its file with it while an exception unwinds.
  virtual bool Remove(const std::string& path) noexcept = 0;
  virtual bool ReadTimes(const std::string& path, FileTimes& times) = 0;
  virtual bool WriteTimes(const std::string& path, const FileTimes& times) = 0;
};

// The machine's own file system (POSIX natively, Win32 in the Windows build).
FileSystem& NativeFileSystem();

// The line end of text files on this platform: "\r\n" on Windows, "\n" elsewhere.
extern const char* const kPlatformLineEnd;

}  // namespace tolvane
