// The file-list reader on arbitrary bytes: the decoder alone, and the whole load (with the
// project export) over a file system in memory. A good file must decode to entries that encode
// back to the very bytes read; a bad one must leave the list empty and survive under its ".old"
// name; nothing reads outside the data, and every opened file is closed.
#include "filelist/file_list_reader.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "filelist/body_mask.h"
#include "filelist/file_entry_ops.h"
#include "filelist/file_list_format.h"
#include "filelist/file_list_state.h"
#include "filelist/file_list_writer.h"
#include "filelist/project_export.h"
#include "filelist/project_fragment.h"
#include "fuzz_check.h"
#include "support/file_entry_list_checks.h"
#include "support/memory_file_system.h"

using namespace tolvane;
using testing::Entries;
using testing::ListShapeProblem;
using testing::MemoryFileSystem;

namespace {

namespace format = file_list_format;

// Answers for every name; counts what the module asks.
class FuzzFileEntry final : public HostFileEntry {
 public:
  bool FirstFlag() override { return first; }
  void SetFirstFlag(bool value) override { first = value; }
  void SetSecondFlag(bool) override { ++secondFlagWrites; }
  bool first = false;
  int secondFlagWrites = 0;
};

class FuzzEntrySet final : public HostFileEntrySet {
 public:
  HostFileEntry* Find(const char*) override { return &entry; }
  FuzzFileEntry entry;
};

// Keeps the project file's text as it stood when the host was handed it.
class FuzzWorkspace final : public HostWorkspace {
 public:
  FuzzWorkspace(std::string path, MemoryFileSystem& fs) : path_(std::move(path)), fs_(fs) {}
  HostFileEntrySet* FileEntrySet() override { return &set; }
  const char* FileListPath() override { return path_.c_str(); }
  void LoadProjectFile(const char* projectFilePath) override {
    const auto& bytes = fs_.files.at(projectFilePath).bytes;
    projectTexts.emplace_back(bytes.begin(), bytes.end());
  }
  FuzzEntrySet set;
  std::vector<std::string> projectTexts;

 private:
  std::string path_;
  MemoryFileSystem& fs_;
};

// The decoded file, written again, must be the bytes that were read up to the last record
// (bits 2 to 7 of each flags byte aside: they are not kept).
void RequireReencodesToInput(const FileEntryList& list, const std::vector<uint8_t>& input) {
  std::vector<uint8_t> again;
  EncodeFileList(list, again);
  FUZZ_REQUIRE(again.size() <= input.size());
  std::vector<uint8_t> read(input.begin(), input.begin() + std::ptrdiff_t(again.size()));
  ApplyBodyMask(read.data() + format::kHeaderSize, read.size() - format::kHeaderSize);
  ApplyBodyMask(again.data() + format::kHeaderSize, again.size() - format::kHeaderSize);
  std::size_t at = format::kHeaderSize + format::kCountSize;
  for (const FileEntry& entry : list) {
    read[at] &= kFileMeaningfulBits;
    at += format::kRecordHeadSize + NameOf(entry).size();
  }
  FUZZ_REQUIRE(read == again);
}

void CheckDecoder(const std::vector<uint8_t>& input) {
  std::vector<uint8_t> file = input;
  FileEntryList list(int32_t(1 + input.size() % 5));
  AppendEntry(list, "left over", 3);
  const FileListDecoding result = DecodeFileList(file, list);
  FUZZ_REQUIRE(ListShapeProblem(list).empty());
  if (!result.ok()) {
    FUZZ_REQUIRE(list.empty());
    return;
  }
  FUZZ_REQUIRE(list.count == result.entryCount);
  RequireReencodesToInput(list, input);
}

void CheckWholeLoad(const std::vector<uint8_t>& input) {
  const std::string path = "/workspace/files.tvef";
  MemoryFileSystem fs;
  fs.files[path].bytes = input;
  fs.files[path].times.lastWrite = 77;
  FuzzWorkspace workspace(path, fs);
  FileListState state(fs);
  state.SetWorkspace(&workspace);
  FileEntryList leftOver;
  AppendEntry(leftOver, "left over", 1);
  state.CopyFrom(&leftOver);
  const bool loaded = state.Load(true);
  const FileEntryList& list = state.List();
  FUZZ_REQUIRE(fs.openFiles == 0);
  FUZZ_REQUIRE(ListShapeProblem(list).empty());
  FUZZ_REQUIRE(fs.files.count(ProjectFilePath(path)) == 0);

  std::vector<uint8_t> copy = input;
  FileEntryList expected;
  const bool readable = DecodeFileList(copy, expected).ok();
  if (!readable) {
    // Unreadable: list empty, the bytes kept under the ".old" name and nowhere else.
    FUZZ_REQUIRE(!loaded && list.empty() && workspace.projectTexts.empty());
    FUZZ_REQUIRE(fs.files.count(path) == 0);
    FUZZ_REQUIRE(fs.files.at(path + format::kSetAsideSuffix).bytes == input);
    return;
  }
  FUZZ_REQUIRE(loaded && Entries(list) == Entries(expected));
  FUZZ_REQUIRE(fs.files.at(path).bytes == input);  // loading never writes the list file
  if (list.empty()) {
    FUZZ_REQUIRE(workspace.projectTexts.empty());
  } else {
    FUZZ_REQUIRE(workspace.projectTexts.size() == 1);
    FUZZ_REQUIRE(workspace.projectTexts[0] == ProjectFragment(list, kPlatformLineEnd));
    FUZZ_REQUIRE(workspace.set.entry.secondFlagWrites == int(list.count));
  }

  // Saving what was loaded and loading it again keeps every entry.
  const auto before = Entries(list);
  FUZZ_REQUIRE(state.Save());
  FUZZ_REQUIRE(state.Load(false));
  FUZZ_REQUIRE(Entries(list) == before);
  FUZZ_REQUIRE(fs.openFiles == 0);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  const std::vector<uint8_t> input(data, data + size);
  CheckDecoder(input);
  CheckWholeLoad(input);
  return 0;
}
