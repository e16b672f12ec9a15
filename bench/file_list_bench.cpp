// The workspace file list: loading a large file, and Append.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <list>
#include <random>
#include <string>
#include <vector>

#include "bench_goals.h"
#include "filelist/body_mask.h"
#include "filelist/file_entry_ops.h"
#include "filelist/file_list_format.h"
#include "filelist/file_list_state.h"
#include "filelist/file_list_writer.h"
#include "support/fake_workspace.h"
#include "support/temp_directory.h"

namespace tolvane {
namespace {

constexpr int kEntries = 1000000;

// An entry as a program would hold it in a standard container: the baseline's element.
struct SampleEntry {
  std::string name;
  uint8_t flags;
};

// The same million entries for every benchmark: names of 20 to 80 bytes, mixed flags.
const std::vector<SampleEntry>& SampleEntries() {
  static const std::vector<SampleEntry> entries = [] {
    std::mt19937 random(20240611);
    std::uniform_int_distribution<int> length(20, 80);
    std::uniform_int_distribution<int> letter('a', 'z');
    std::vector<SampleEntry> made;
    made.reserve(kEntries);
    for (int i = 0; i < kEntries; ++i) {
      std::string name = "src\\";
      name.resize(std::size_t(length(random)), 'x');
      for (std::size_t c = 4; c < name.size(); ++c) name[c] = char(letter(random));
      made.push_back(SampleEntry{std::move(name), uint8_t(i % 4)});
    }
    return made;
  }();
  return entries;
}

// A file-list file holding the sample entries, written once per run.
struct SampleFile {
  testing::TempDirectory dir;
  std::string path = dir.File("million.tvef");
  SampleFile() {
    FileEntryList list;
    for (const SampleEntry& entry : SampleEntries()) AppendEntry(list, entry.name, entry.flags);
    std::vector<uint8_t> bytes;
    EncodeFileList(list, bytes);
    std::FILE* file = std::fopen(path.c_str(), "wb");
    std::fwrite(bytes.data(), 1, bytes.size(), file);
    std::fclose(file);
  }
};

const std::string& SampleFilePath() {
  static SampleFile file;
  return file.path;
}

void BM_LoadFileList(benchmark::State& state) {
  testing::FakeWorkspace workspace(SampleFilePath());
  FileListState fileList;
  fileList.SetWorkspace(&workspace);
  for (auto _ : state) {
    if (!fileList.Load(false)) state.SkipWithError("load");
    benchmark::DoNotOptimize(fileList.List().count);
    workspace.calls.clear();
  }
}
// A run is one to three loads, which the work of others on a shared machine disturbs (only ever
// upwards); each load benchmark runs three times and the goal takes the best run.
BENCHMARK(BM_LoadFileList)->Unit(benchmark::kMillisecond)->Repetitions(3);

// Baseline: read the same file into memory and build the same strings into a std::vector.
void BM_LoadBaselineReadIntoVector(benchmark::State& state) {
  const std::string& path = SampleFilePath();
  for (auto _ : state) {
    std::FILE* file = std::fopen(path.c_str(), "rb");
    std::fseek(file, 0, SEEK_END);
    const long size = std::ftell(file);
    std::fseek(file, 0, SEEK_SET);
    std::vector<uint8_t> bytes(static_cast<std::size_t>(size));
    if (std::fread(bytes.data(), 1, bytes.size(), file) != bytes.size())
      state.SkipWithError("read");
    std::fclose(file);
    ApplyBodyMask(bytes.data() + 6, bytes.size() - 6);
    uint32_t count;
    std::memcpy(&count, bytes.data() + 6, 4);
    std::vector<std::string> names;
    names.reserve(count);
    std::size_t at = 10;
    for (uint32_t i = 0; i < count; ++i) {
      const std::size_t length = std::size_t(bytes[at + 1]) | std::size_t(bytes[at + 2]) << 8;
      names.emplace_back(reinterpret_cast<const char*>(bytes.data() + at + 3), length);
      at += 3 + length;
    }
    benchmark::DoNotOptimize(names.data());
  }
}
BENCHMARK(BM_LoadBaselineReadIntoVector)->Unit(benchmark::kMillisecond)->Repetitions(3);

TOLVANE_BENCH_GOAL("load 1,000,000 entries vs read + strings into std::vector", "BM_LoadFileList",
                   "BM_LoadBaselineReadIntoVector", 1.5);

void BM_Append(benchmark::State& state) {
  const std::vector<SampleEntry>& entries = SampleEntries();
  for (auto _ : state) {
    FileEntryList list;
    for (const SampleEntry& entry : entries) {
      if (!list.AppendName(entry.name.data(), uint32_t(entry.name.size()), entry.flags)) {
        state.SkipWithError("out of memory");
        break;
      }
    }
    benchmark::DoNotOptimize(list.tail);
  }
}
BENCHMARK(BM_Append)->Unit(benchmark::kMillisecond);

void BM_AppendBaselineStdList(benchmark::State& state) {
  const std::vector<SampleEntry>& entries = SampleEntries();
  for (auto _ : state) {
    std::list<SampleEntry> list;
    for (const SampleEntry& entry : entries) list.push_back(entry);
    benchmark::DoNotOptimize(list.back());
  }
}
BENCHMARK(BM_AppendBaselineStdList)->Unit(benchmark::kMillisecond);

TOLVANE_BENCH_GOAL("Append 1,000,000 entries vs std::list<name, flags>::push_back", "BM_Append",
                   "BM_AppendBaselineStdList", 1.0);

}  // namespace
}  // namespace tolvane
