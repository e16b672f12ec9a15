// A FileSystem held in memory: fast and deterministic, for fuzzers and for long runs that must
// not wait on a disk. Header-only so that the fuzz programs, which do not link the test support
// library, can use it too. Opening for writing truncates at once, as a real file system does.
#pragma once

#include <algorithm>
#include <cstring>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "filelist/file_system.h"

namespace tolvane::testing {

class MemoryFileSystem final : public FileSystem {
 public:
  struct File {
    std::vector<uint8_t> bytes;
    FileTimes times;
  };

  bool Exists(const std::string& path) override { return files.count(path) != 0; }

  std::unique_ptr<ReadableFile> OpenForReading(const std::string& path) override {
    auto found = files.find(path);
    if (found == files.end()) return nullptr;
    ++openFiles;
    return std::make_unique<Reader>(found->second.bytes, openFiles);
  }

  std::unique_ptr<WritableFile> OpenForWriting(const std::string& path) override {
    File& file = files[path];
    file.bytes.clear();
    file.times.lastWrite = ++clock;
    ++openFiles;
    return std::make_unique<Writer>(*this, path, openFiles);
  }

  bool Rename(const std::string& from, const std::string& to) override {
    auto found = files.find(from);
    if (found == files.end()) return false;
    if (from == to) return true;
    File moved = std::move(found->second);
    files.erase(found);
    files[to] = std::move(moved);
    return true;
  }

  bool RenameToFreeName(const std::string& from, const std::string& to) override {
    return files.count(to) == 0 && Rename(from, to);
  }

  bool Remove(const std::string& path) noexcept override { return files.erase(path) != 0; }

  bool ReadTimes(const std::string& path, FileTimes& times) override {
    auto found = files.find(path);
    if (found == files.end()) return false;
    times = found->second.times;
    return true;
  }

  bool WriteTimes(const std::string& path, const FileTimes& times) override {
    auto found = files.find(path);
    if (found == files.end()) return false;
    found->second.times = times;
    return true;
  }

  std::map<std::string, File> files;
  int64_t clock = 1000;  // advances with every write, so each written file has its own time
  int openFiles = 0;     // files opened and not yet closed

 private:
  // Reads a snapshot taken at open.
  class Reader final : public ReadableFile {
   public:
    Reader(std::vector<uint8_t> bytes, int& open) : bytes_(std::move(bytes)), open_(open) {}
    ~Reader() override { --open_; }
    bool Read(void* buffer, std::size_t size, std::size_t& bytesRead) override {
      bytesRead = std::min(size, bytes_.size() - position_);
      if (bytesRead != 0) std::memcpy(buffer, bytes_.data() + position_, bytesRead);
      position_ += bytesRead;
      return true;
    }
    bool Length(uint64_t& length) override {
      length = bytes_.size();
      return true;
    }

   private:
    std::vector<uint8_t> bytes_;
    std::size_t position_ = 0;
    int& open_;
  };

  // Appends to the file under its name at the time of the write (a file removed meanwhile
  // takes no more bytes).
  class Writer final : public WritableFile {
   public:
    Writer(MemoryFileSystem& owner, std::string path, int& open)
        : owner_(owner), path_(std::move(path)), open_(open) {}
    ~Writer() override { Close(); }
    bool Write(const void* data, std::size_t size, std::size_t& bytesWritten) override {
      bytesWritten = 0;
      auto found = owner_.files.find(path_);
      if (closed_ || found == owner_.files.end()) return false;
      const auto* bytes = static_cast<const uint8_t*>(data);
      found->second.bytes.insert(found->second.bytes.end(), bytes, bytes + size);
      found->second.times.lastWrite = ++owner_.clock;
      bytesWritten = size;
      return true;
    }
    bool Commit() override {
      const bool wasOpen = !closed_;
      Close();
      return wasOpen;
    }

   private:
    void Close() {
      if (closed_) return;
      closed_ = true;
      --open_;
    }
    MemoryFileSystem& owner_;
    std::string path_;
    int& open_;
    bool closed_ = false;
  };
};

}  // namespace tolvane::testing
