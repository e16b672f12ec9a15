// The Find lists' display requests: what one cell costs, and the goal that it allocates nothing
// once the text slots have grown (a request that allocates fails its benchmark).
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "allocation_count.h"
#include "finddlg/file_cell_text.h"
#include "finddlg/tag_cell_text.h"

namespace tolvane {
namespace {

using bench::AllocationCount;

constexpr int kRows = 64;

// Host records hand out texts they hold, as a host does.
class HostFile final : public HostFileRecord {
 public:
  HostFile(std::string title, std::string extension, std::string path)
      : title_(std::move(title)), extension_(std::move(extension)), path_(std::move(path)) {}
  const char* Title() override { return title_.c_str(); }
  const char* Extension() override { return extension_.c_str(); }
  const char* Path() override { return path_.c_str(); }

 private:
  std::string title_, extension_, path_;
};

class HostFiles final : public HostFileSource {
 public:
  HostFileRecord* Record(uint32_t key) override { return &files[key]; }
  std::vector<HostFile> files;
};

class HostTag final : public HostTagRecord {
 public:
  int32_t Kind() override { return 6; }
  const char* Name() override { return "name"; }
  const char* FileName() override { return "file"; }
  const char* Pattern() override { return pattern.c_str(); }
  const char* ParentName() override { return "Parent"; }
  int32_t Line() override { return -1; }
  const char* Namespace() override { return "ns"; }
  HostTagRecord* Parent() override { return nullptr; }
  HostFileRecord* File() override { return file; }

  std::string pattern;
  HostFileRecord* file = nullptr;
};

// 64 files and tags of varied, realistic sizes: titles of 4 to 35 characters, patterns of 20 to
// 115 characters, half of them indented with tabs.
struct Sample {
  HostFiles source;
  HostFileSource* sourceWord = &source;
  std::vector<uint32_t> keys;
  HostFileKeyArray keyArray{nullptr};
  std::vector<HostTag> tags;
  std::vector<HostTagRecord*> tagPointers;
  HostTagArray tagArray{nullptr};

  Sample() {
    const char* extensions[] = {"cpp", "h", "", "inl"};
    source.files.reserve(kRows);
    tags.resize(kRows);
    for (int i = 0; i < kRows; ++i) {
      std::string title = "file_" + std::string(static_cast<std::size_t>(i % 32), 'n');
      std::string path = "C:\\work\\project\\src\\module_" + std::to_string(i);
      source.files.emplace_back(title, extensions[i % 4], path);
      keys.push_back(static_cast<uint32_t>(i));
      std::string body = "int Function" + std::to_string(i) + "(" +
                         std::string(static_cast<std::size_t>((i * 7) % 90), 'a') + ")";
      tags[static_cast<std::size_t>(i)].pattern = (i % 2 ? "^\t\t" : "^") + body + "$";
    }
    for (int i = 0; i < kRows; ++i) {
      tags[static_cast<std::size_t>(i)].file = &source.files[static_cast<std::size_t>(i)];
      tagPointers.push_back(&tags[static_cast<std::size_t>(i)]);
    }
    keyArray.keys = keys.data();
    tagArray.tags = tagPointers.data();
  }
};

Sample& TheSample() {
  static Sample sample;
  return sample;
}

// Runs requests for every row once to grow the slots, then counts what the timed loop allocates.
template <typename Answer>
void RunRequests(benchmark::State& state, int32_t column, Answer answer) {
  DisplayTextRing ring;
  for (int row = 0; row < kRows * 3; ++row) {
    DisplayRequest request{row % kRows, column, 0, nullptr};
    answer(request, ring);
  }
  const uint64_t before = AllocationCount();
  int32_t row = 0;
  for (auto _ : state) {
    DisplayRequest request{row, column, 0x7, nullptr};
    answer(request, ring);
    benchmark::DoNotOptimize(request.text);
    row = row + 1 == kRows ? 0 : row + 1;
  }
  const uint64_t allocations = AllocationCount() - before;
  state.counters["allocs_per_request"] =
      static_cast<double>(allocations) / static_cast<double>(state.iterations());
  // The goal: no allocation per display request once the slots have grown.
  if (allocations != 0) state.SkipWithError("a display request allocated");
}

void BM_FileDisplayRequest(benchmark::State& state) {
  Sample& sample = TheSample();
  RunRequests(state, static_cast<int32_t>(state.range(0)),
              [&](DisplayRequest& request, DisplayTextRing& ring) {
                AnswerFileDisplayRequest(request, &sample.keyArray, &sample.sourceWord, ring);
              });
}
BENCHMARK(BM_FileDisplayRequest)->Arg(0)->Arg(1);

void BM_TagDisplayRequest(benchmark::State& state) {
  Sample& sample = TheSample();
  RunRequests(state, static_cast<int32_t>(state.range(0)),
              [&](DisplayRequest& request, DisplayTextRing& ring) {
                AnswerTagDisplayRequest(request, &sample.tagArray, ring);
              });
}
BENCHMARK(BM_TagDisplayRequest)->Arg(3)->Arg(4)->Arg(5);

}  // namespace
}  // namespace tolvane
