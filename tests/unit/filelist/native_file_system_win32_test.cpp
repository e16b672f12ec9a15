// The Win32 file system's answers to what a real machine gives: each row stages it with real
// paths (nothing there, a pipe, whose end has no length or times and breaks when its writer goes,
// the null device, which cannot flush, a file larger than one transfer). Which paths count as
// absent is the existence test's.
#ifdef _WIN32

#include <gtest/gtest.h>
#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "filelist/file_system.h"
#include "filelist/file_transfer.h"
#include "support/temp_directory.h"

namespace tolvane {
namespace {

using testing::TempDirectory;

// The server end of a named pipe of this process, waiting for clients to open it by name.
class PipeServer {
 public:
  PipeServer() : name_("\\\\.\\pipe\\tolvane-test-" + std::to_string(::GetCurrentProcessId())) {
    server_ = ::CreateNamedPipeA(name_.c_str(), PIPE_ACCESS_OUTBOUND, 0, PIPE_UNLIMITED_INSTANCES,
                                 0, 0, 0, nullptr);
  }
  ~PipeServer() { Close(); }
  PipeServer(const PipeServer&) = delete;
  PipeServer& operator=(const PipeServer&) = delete;

  bool Listening() const { return server_ != INVALID_HANDLE_VALUE; }
  const std::string& Name() const { return name_; }
  // The writer goes: the client's reads fail from now on.
  void Close() {
    if (server_ != INVALID_HANDLE_VALUE) ::CloseHandle(server_);
    server_ = INVALID_HANDLE_VALUE;
  }

 private:
  std::string name_;
  HANDLE server_;
};

bool ReadOnce(ReadableFile& file) {
  char buffer[16];
  std::size_t got = 0;
  return file.Read(buffer, sizeof buffer, got);
}

// A row that fails must fail at the step it names: an earlier step that fails answers true.
struct Row {
  const char* what;
  std::function<bool(FileSystem&, const TempDirectory&)> operation;
  bool succeeds;
};

TEST(Win32FileSystem, WhatTheMachineGivesIsReportedAsItIs) {
  const std::vector<Row> rows = {
      {"read times: nothing there",
       [](auto& f, auto& d) {
         FileTimes times;
         return f.ReadTimes(d.File("absent"), times);
       },
       false},
      {"write times: nothing there",
       [](auto& f, auto& d) { return f.WriteTimes(d.File("absent"), FileTimes{}); }, false},
      {"read times: a pipe has none",
       [](auto& f, auto&) {
         PipeServer pipe;
         FileTimes times;
         return !pipe.Listening() || f.ReadTimes(pipe.Name(), times);
       },
       false},
      {"length: a pipe has none",
       [](auto& f, auto&) {
         PipeServer pipe;
         std::unique_ptr<ReadableFile> file = f.OpenForReading(pipe.Name());
         uint64_t length = 0;
         return file == nullptr || file->Length(length);
       },
       false},
      {"read: a pipe whose writer has gone",
       [](auto& f, auto&) {
         PipeServer pipe;
         std::unique_ptr<ReadableFile> file = f.OpenForReading(pipe.Name());
         pipe.Close();
         return file == nullptr || ReadOnce(*file);
       },
       false},
      {"commit: the null device cannot flush",
       [](auto& f, auto&) {
         std::unique_ptr<WritableFile> file = f.OpenForWriting("NUL");
         std::size_t written = 0;
         return file == nullptr || !file->Write("x", 1, written) || file->Commit();
       },
       false},
      // More than one read or write moves: every byte still arrives, in order.
      {"write and read back: a file of several transfers",
       [](auto& f, auto& d) {
         std::vector<uint8_t> bytes((std::size_t(1) << 20) * 3 + 7);
         for (std::size_t i = 0; i < bytes.size(); ++i) bytes[i] = uint8_t(i * 7 + i / 251);
         std::unique_ptr<WritableFile> out = f.OpenForWriting(d.File("large"));
         if (out == nullptr || !WriteAll(*out, bytes) || !out->Commit()) return false;
         std::unique_ptr<ReadableFile> in = f.OpenForReading(d.File("large"));
         std::vector<uint8_t> back;
         return in != nullptr && ReadToEnd(*in, back) && back == bytes;
       },
       true},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.what);
    TempDirectory dir;
    EXPECT_EQ(row.operation(NativeFileSystem(), dir), row.succeeds);
  }
}

}  // namespace
}  // namespace tolvane

#endif  // _WIN32
