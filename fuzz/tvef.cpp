// The tvef tool's reading commands (verify, dump, export) on arbitrary file bytes, and its create
// command on arbitrary standard input, over a file system in memory. verify must agree with the
// reader; dump's lines fed to create must rebuild the same entries; a failed create must leave
// the file as it was.
#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string>
#include <vector>

#include "filelist/file_list_reader.h"
#include "filelist/project_fragment.h"
#include "fuzz_check.h"
#include "support/file_entry_list_checks.h"
#include "support/memory_file_system.h"
#include "tvef/commands.h"

using namespace tolvane;
using testing::Entries;
using testing::MemoryFileSystem;

namespace {

struct Outcome {
  int status;
  std::string out;
  std::string err;
};

Outcome Run(MemoryFileSystem& fs, const std::string& command, const std::string& file,
            const std::string& input = {}) {
  std::istringstream in(input);
  std::ostringstream out, err;
  const int status = tvef::RunTvef({command, file}, {in, out, err}, fs);
  FUZZ_REQUIRE(fs.openFiles == 0);
  return {status, out.str(), err.str()};
}

void CheckReadingCommands(const std::vector<uint8_t>& bytes) {
  MemoryFileSystem fs;
  fs.files["list"].bytes = bytes;
  std::vector<uint8_t> copy = bytes;
  FileEntryList decoded;
  const bool valid = DecodeFileList(copy, decoded).ok();
  const int expectedStatus = valid ? tvef::kExitSuccess : tvef::kExitInvalidFile;

  const Outcome verify = Run(fs, "verify", "list");
  FUZZ_REQUIRE(verify.status == expectedStatus);
  FUZZ_REQUIRE(valid ? verify.err.empty() : !verify.err.empty());
  const Outcome exported = Run(fs, "export", "list");
  FUZZ_REQUIRE(exported.status == expectedStatus);
  if (valid) FUZZ_REQUIRE(exported.out == ProjectFragment(decoded, "\n"));
  const Outcome dump = Run(fs, "dump", "list");
  FUZZ_REQUIRE(dump.status == expectedStatus);
  FUZZ_REQUIRE(fs.files.at("list").bytes == bytes);  // reading commands never write
  if (!valid) return;

  // One line per entry, and the lines rebuild the same entries.
  std::size_t lines = 0;
  for (char c : dump.out) lines += c == '\n';
  FUZZ_REQUIRE(lines == decoded.count);
  const Outcome create = Run(fs, "create", "rebuilt", dump.out);
  FUZZ_REQUIRE(create.status == tvef::kExitSuccess);
  std::vector<uint8_t> rebuilt = fs.files.at("rebuilt").bytes;
  FileEntryList again;
  FUZZ_REQUIRE(DecodeFileList(rebuilt, again).ok());
  FUZZ_REQUIRE(Entries(again) == Entries(decoded));
}

void CheckCreate(const std::string& text) {
  MemoryFileSystem fs;
  const std::vector<uint8_t> before = {'o', 'l', 'd'};
  fs.files["list"].bytes = before;
  const Outcome create = Run(fs, "create", "list", text);
  if (create.status != tvef::kExitSuccess) {
    FUZZ_REQUIRE(create.status == tvef::kExitUsage && !create.err.empty());
    FUZZ_REQUIRE(fs.files.at("list").bytes == before);
    return;
  }
  // What create wrote is stable: dumped and created again, the bytes are the same.
  const Outcome dump = Run(fs, "dump", "list");
  FUZZ_REQUIRE(dump.status == tvef::kExitSuccess);
  FUZZ_REQUIRE(Run(fs, "create", "again", dump.out).status == tvef::kExitSuccess);
  FUZZ_REQUIRE(fs.files.at("again").bytes == fs.files.at("list").bytes);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  if (data[0] & 1) {
    CheckCreate(std::string(reinterpret_cast<const char*>(data + 1), size - 1));
  } else {
    CheckReadingCommands(std::vector<uint8_t>(data + 1, data + size));
  }
  return 0;
}
