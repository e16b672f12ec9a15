// The fuzzy ranker against the two fuzzy finders people use in terminals, fzy and fzf (Debian's
// packages, run as separate programs, never linked), on a million realistic paths: each query
// ranked from a fresh start, counting the reading and splitting of the list file, and a query
// typed letter by letter, on wall time (both finders use every core); every keystroke of several
// typed queries timed on its own; SetTexts of the million and what the ranker keeps per text;
// and the ranking quality table through all three, side by side.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "allocation_count.h"
#include "bench_goals.h"
#include "support/fuzzy_quality_table.h"
#include "support/temp_directory.h"
#include "tolvane/fuzzy_match.h"

namespace tolvane {
namespace {

constexpr uint32_t kPathCount = 1000000;

// Queries ranked one at a time, each from a fresh start: single letters (nearly every path holds
// an s, a third an x); short and long ones; several words (meant: googletest's death-test source,
// GL's glext.h and gmock's nice/strict test, which the packages ./run installs put in the list);
// and one that matches nothing, where a finder's time is about its reading of the list alone.
constexpr const char* kQueries[] = {"s",
                                    "x",
                                    "st",
                                    "find_files",
                                    "gtestdeathtest",
                                    "src death",
                                    "gl ext",
                                    "strict nice test",
                                    "qqqqqqqqzzzzzzzz"};
// Typed letter by letter for the comparison with the finders: "f", "fi", ..., "find_files".
constexpr char kTyped[] = "find_files";
constexpr uint32_t kTypedLength = sizeof(kTyped) - 1;
// Typed letter by letter with every keystroke's Rank timed on its own, three of them starting
// further words after a space.
constexpr const char* kKeystrokeSequences[] = {"find_files", "gl ext", "src death",
                                               "strict nice test"};

// Ours and fzy are timed this many times per query and their best kept (a disturbance only ever
// adds); fzf, several times slower than either, once. Each keystroke sequence is typed this many
// times too, each keystroke's best kept. Each benchmark reports its best as its (manual) time.
constexpr int kRounds = 2;
constexpr int kFzfRounds = 1;
constexpr int kKeystrokeRounds = 3;
constexpr int kSetTextsRounds = 5;

// Goals: ours at least 3 times faster than the faster finder on every query and on the typed
// sequence; on this 2-core machine (absolute, and so meaningful only when it is otherwise idle)
// every keystroke within a frame at the median and 50 ms at worst, SetTexts of the million within
// 100 ms, and at most 64 bytes per text kept by the ranker beside the texts.
constexpr double kAgainstFasterFinder = 1.0 / 3;
constexpr double kMedianKeystrokeMs = 16;
constexpr double kWorstKeystrokeMs = 50;
constexpr double kSetTextsMs = 100;
constexpr double kBytesPerText = 64;

bool Installed(const char* program) {
  return std::system(("command -v " + std::string(program) + " >/dev/null 2>&1").c_str()) == 0;
}

bool HaveFzf() {
  static const bool installed = Installed("fzf");
  return installed;
}

bool HaveFzy() {
  static const bool installed = Installed("fzy");
  return installed;
}

// fzf exits with 0 when something matched, 1 when nothing did, and 2 or more on an error; fzy
// with 0 either way.
bool RunFinder(const std::string& command) {
  const int status = std::system(command.c_str());
  return status != -1 && WIFEXITED(status) && WEXITSTATUS(status) <= 1;
}

// The finders' command lines for `query` (no single quotes) over `listFile`, their ranked matches
// written to `output`. fzf runs with its default options, whatever the user's environment sets;
// fzy -e prints every match, best first, and exits.
std::string FzfCommand(const std::string& query, const std::string& listFile,
                       const std::string& output) {
  return "env -u FZF_DEFAULT_OPTS fzf --filter '" + query + "' < '" + listFile + "' > " + output;
}

std::string FzyCommand(const std::string& query, const std::string& listFile,
                       const std::string& output) {
  return "fzy -e '" + query + "' < '" + listFile + "' > " + output;
}

// The paths of every file that the installed Debian packages hold (dpkg -L), under varied
// prefixes (chroots, backups, container layers) until there are a million, one a line in a file
// that every finder reads. Made once per run.
struct MillionPaths {
  testing::TempDirectory dir;
  std::string file = dir.File("paths.txt");
  bool made = false;

  MillionPaths() {
    std::FILE* listing =
        popen("dpkg-query -W -f='${binary:Package}\\n' | xargs -r dpkg -L 2>/dev/null", "r");
    if (listing == nullptr) return;
    std::vector<std::string> installed;
    char line[4096];
    while (std::fgets(line, sizeof line, listing) != nullptr) {
      std::size_t length = std::strcspn(line, "\n");
      if (line[0] == '/' && length > 2) installed.emplace_back(line, length);  // not "/." or notes
    }
    pclose(listing);
    std::sort(installed.begin(), installed.end());
    installed.erase(std::unique(installed.begin(), installed.end()), installed.end());
    if (installed.empty()) return;
    static const char* const kPrefixes[] = {"",
                                            "/srv/chroots/bookworm-amd64",
                                            "/home/builder/images/rootfs",
                                            "/var/lib/containers/storage/overlay/3f9c2e/diff",
                                            "/mnt/backup/2026-11-30",
                                            "/opt/toolchains/sysroot-arm64",
                                            "/build/snapshot-17",
                                            "/media/archive/mirror"};
    constexpr std::size_t kPrefixCount = sizeof(kPrefixes) / sizeof(kPrefixes[0]);
    std::FILE* out = std::fopen(file.c_str(), "wb");
    if (out == nullptr) return;
    uint32_t written = 0;
    for (std::size_t round = 0; written < kPathCount; ++round) {
      std::string prefix = kPrefixes[round % kPrefixCount];
      if (round >= kPrefixCount) prefix += "/copy-" + std::to_string(round / kPrefixCount);
      for (std::size_t i = 0; i < installed.size() && written < kPathCount; ++i, ++written) {
        std::fprintf(out, "%s%s\n", prefix.c_str(), installed[i].c_str());
      }
    }
    made = std::fclose(out) == 0;
  }
};

const MillionPaths& Paths() {
  static const MillionPaths paths;
  return paths;
}

// A list file mapped whole (its pages come from the file cache, not copied) and split into
// texts at its line ends, as a host does; the texts point into the mapping.
struct TextList {
  const char* bytes = nullptr;
  std::size_t size = 0;
  std::vector<FuzzyText> texts;

  TextList() = default;
  TextList(const TextList&) = delete;
  TextList& operator=(const TextList&) = delete;
  ~TextList() {
    if (bytes != nullptr) munmap(const_cast<char*>(bytes), size);
  }

  bool Read(const std::string& file) {
    const int in = open(file.c_str(), O_RDONLY);
    if (in < 0) return false;
    struct stat about = {};
    void* mapped = MAP_FAILED;
    if (fstat(in, &about) == 0 && about.st_size > 0) {
      size = std::size_t(about.st_size);
      mapped = mmap(nullptr, size, PROT_READ, MAP_PRIVATE | MAP_POPULATE, in, 0);
    }
    close(in);
    if (mapped == MAP_FAILED) return false;
    bytes = static_cast<const char*>(mapped);
    texts.reserve(kPathCount);
    for (const char *start = bytes, *end = bytes + size; start < end;) {
      const auto* line =
          static_cast<const char*>(std::memchr(start, '\n', std::size_t(end - start)));
      if (line == nullptr) line = end;
      texts.push_back({start, uint32_t(line - start)});
      start = line + 1;
    }
    return true;
  }
};

// The million read from the list file and handed to `ranker`, as a host does on opening its
// dialog; false when the file cannot be read or memory cannot be had.
bool ReadAndSet(TextList* list, FuzzyRanker* ranker) {
  return list->Read(Paths().file) &&
         ranker->SetTexts(list->texts.data(), uint32_t(list->texts.size()), FuzzyEncoding::kUtf8);
}

// The million read once, for the benchmarks that time the ranker alone; null without a list.
const TextList* MillionTexts() {
  static TextList list;
  static const bool read = Paths().made && list.Read(Paths().file);
  return read ? &list : nullptr;
}

double Milliseconds(std::chrono::steady_clock::duration elapsed) {
  return std::chrono::duration<double, std::milli>(elapsed).count();
}

// The best wall time of `rounds` runs of `run` as the benchmark's one iteration; false when a run
// failed (`run` returned false).
template <typename Run>
bool TimeBest(benchmark::State& state, int rounds, Run run) {
  for (auto _ : state) {
    double best = 1e300;
    for (int round = 0; round < rounds; ++round) {
      const auto start = std::chrono::steady_clock::now();
      if (!run()) return false;
      best = std::min(best, Milliseconds(std::chrono::steady_clock::now() - start));
    }
    state.SetIterationTime(best / 1000);
  }
  return true;
}

// The whole job as a host does it, from the same file the finders read: the list read and split
// into texts, then `query` ranked.
void OursQuery(benchmark::State& state, const char* query) {
  if (!Paths().made) return state.SkipWithError("no list of paths (dpkg -L gave none)");
  uint32_t matches = 0;
  const bool ranked = TimeBest(state, kRounds, [&] {
    TextList list;
    FuzzyRanker ranker;
    if (!ReadAndSet(&list, &ranker)) return false;
    matches = ranker.Rank(query, uint32_t(std::strlen(query)));
    benchmark::DoNotOptimize(ranker.Matches());
    return true;
  });
  if (!ranked) return state.SkipWithError("the list file cannot be read, or out of memory");
  state.counters["matches"] = matches;
}

// One finder run for `query` on the same file, its ranked matches written to /dev/null: process
// start, reading, matching on every core and sorting count.
void FinderQuery(benchmark::State& state, bool fzy, const char* query) {
  if (!(fzy ? HaveFzy() : HaveFzf())) {
    return state.SkipWithError(fzy ? "fzy is not installed (./run bench installs it)"
                                   : "fzf is not installed (./run bench installs it)");
  }
  if (!Paths().made) return state.SkipWithError("no list of paths (dpkg -L gave none)");
  const std::string command = fzy ? FzyCommand(query, Paths().file, "/dev/null")
                                  : FzfCommand(query, Paths().file, "/dev/null");
  if (!TimeBest(state, fzy ? kRounds : kFzfRounds, [&] { return RunFinder(command); })) {
    state.SkipWithError("the finder failed");
  }
}

// Per query: ours, fzy's and fzf's benchmarks one after the other (so a change in the machine's
// load falls on all three alike), and the goal against the faster finder.
struct QueryBenchmarks {
  QueryBenchmarks() {
    for (const char* query : kQueries) {
      const std::string ours = std::string("BM_FuzzyQuery/") + query;
      const std::string fzy = std::string("BM_FzyQuery/") + query;
      const std::string fzf = std::string("BM_FzfQuery/") + query;
      benchmark::RegisterBenchmark(ours.c_str(), OursQuery, query)
          ->Unit(benchmark::kMillisecond)
          ->UseManualTime()
          ->Iterations(1);
      benchmark::RegisterBenchmark(fzy.c_str(), FinderQuery, true, query)
          ->Unit(benchmark::kMillisecond)
          ->UseManualTime()
          ->Iterations(1);
      benchmark::RegisterBenchmark(fzf.c_str(), FinderQuery, false, query)
          ->Unit(benchmark::kMillisecond)
          ->UseManualTime()
          ->Iterations(1);
      const std::string runs = "/iterations:1/manual_time";
      bench::Goals().push_back({"rank 1,000,000 paths for \"" + std::string(query) + "\"",
                                ours + runs, fzy + runs, kAgainstFasterFinder,
                                bench::GoalKind::kWallTimeAtMost, fzf + runs});
    }
  }
};
const QueryBenchmarks queryBenchmarks;

// The list read and split once, then each query of the typed sequence ranked (the ranker narrows
// as the query grows).
void BM_FuzzyRankTyping(benchmark::State& state) {
  if (!Paths().made) return state.SkipWithError("no list of paths (dpkg -L gave none)");
  uint32_t matches = 0;
  const bool ranked = TimeBest(state, kRounds, [&] {
    TextList list;
    FuzzyRanker ranker;
    if (!ReadAndSet(&list, &ranker)) return false;
    for (uint32_t length = 1; length <= kTypedLength; ++length) {
      matches = ranker.Rank(kTyped, length);
    }
    benchmark::DoNotOptimize(ranker.Matches());
    return true;
  });
  if (!ranked) return state.SkipWithError("the list file cannot be read, or out of memory");
  state.counters["last_matches"] = matches;
}
BENCHMARK(BM_FuzzyRankTyping)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(1);

// A finder run once per query of the same sequence, each run reading the list.
void FinderTyping(benchmark::State& state, bool fzy) {
  if (!(fzy ? HaveFzy() : HaveFzf())) {
    return state.SkipWithError(fzy ? "fzy is not installed (./run bench installs it)"
                                   : "fzf is not installed (./run bench installs it)");
  }
  if (!Paths().made) return state.SkipWithError("no list of paths (dpkg -L gave none)");
  const bool ran = TimeBest(state, fzy ? kRounds : kFzfRounds, [&] {
    for (uint32_t length = 1; length <= kTypedLength; ++length) {
      const std::string query(kTyped, length);
      if (!RunFinder(fzy ? FzyCommand(query, Paths().file, "/dev/null")
                         : FzfCommand(query, Paths().file, "/dev/null"))) {
        return false;
      }
    }
    return true;
  });
  if (!ran) state.SkipWithError("the finder failed");
}
void BM_FzyTyping(benchmark::State& state) {
  FinderTyping(state, true);
}
void BM_FzfTyping(benchmark::State& state) {
  FinderTyping(state, false);
}
BENCHMARK(BM_FzyTyping)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(1);
BENCHMARK(BM_FzfTyping)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(1);

TOLVANE_BENCH_WALL_GOAL_VS_FASTER("rank 1,000,000 paths, typing find_files",
                                  "BM_FuzzyRankTyping/iterations:1/manual_time",
                                  "BM_FzyTyping/iterations:1/manual_time",
                                  "BM_FzfTyping/iterations:1/manual_time", kAgainstFasterFinder);

// What the goals against the finders count, beside their verdicts.
void PrintWhatTheFinderGoalsCount() {
  std::printf(
      "\nRanking against fzy and fzf, on wall time: ours counts mapping the list file, splitting"
      "\nit into texts and SetTexts, then ranking the query and putting every match in order in"
      "\none process (BM_FuzzyQuery), or the"
      "\n%u queries of the typed sequence (f, fi, ..., %s) one after the other"
      "\n(BM_FuzzyRankTyping); each finder's counts one run per query (fzy -e, fzf --filter), each"
      "\nstarting, reading the list, matching on every core and writing its ranked matches to"
      "\n/dev/null. Ours and fzy: the best of %d runs; fzf: one. The query that matches nothing"
      "\nshows about a finder's reading of the list alone.\n",
      kTypedLength, kTyped, kRounds);
}
TOLVANE_BENCH_REPORT(PrintWhatTheFinderGoalsCount);

// Every keystroke of the typed sequences, each Rank timed on its own (wall time) over the million
// read once: per sequence the median keystroke, the worst, and the query the worst was.
struct KeystrokeFigures {
  std::string sequence;
  double medianMs;
  double worstMs;
  std::string worstQuery;
};
std::vector<KeystrokeFigures>& Keystrokes() {
  static std::vector<KeystrokeFigures> figures;
  return figures;
}

// The machine's one-minute load average, to read the absolute figures by.
double LoadAverage() {
  double load = -1;
  if (std::FILE* in = std::fopen("/proc/loadavg", "rb")) {
    if (std::fscanf(in, "%lf", &load) != 1) load = -1;
    std::fclose(in);
  }
  return load;
}
double& LoadAverageWhenTyping() {
  static double load = -1;
  return load;
}

// The sequence typed kKeystrokeRounds times, each from SetTexts (a dialog opening on the list);
// each keystroke's best time is kept.
void TypeKeystrokes(benchmark::State& state, const char* sequence) {
  const TextList* list = MillionTexts();
  if (list == nullptr) return state.SkipWithError("no list of paths (dpkg -L gave none)");
  const auto length = uint32_t(std::strlen(sequence));
  std::vector<double> best(length, 1e300);
  FuzzyRanker ranker;
  LoadAverageWhenTyping() = std::max(LoadAverageWhenTyping(), LoadAverage());
  for (auto _ : state) {
    for (int round = 0; round < kKeystrokeRounds; ++round) {
      if (!ranker.SetTexts(list->texts.data(), uint32_t(list->texts.size()),
                           FuzzyEncoding::kUtf8)) {
        return state.SkipWithError("out of memory");
      }
      for (uint32_t typed = 1; typed <= length; ++typed) {
        const auto start = std::chrono::steady_clock::now();
        benchmark::DoNotOptimize(ranker.Rank(sequence, typed));
        best[typed - 1] =
            std::min(best[typed - 1], Milliseconds(std::chrono::steady_clock::now() - start));
      }
    }
  }
  std::vector<double> sorted = best;
  std::sort(sorted.begin(), sorted.end());
  const double median =
      length % 2 == 1 ? sorted[length / 2] : (sorted[length / 2 - 1] + sorted[length / 2]) / 2;
  const auto worst = uint32_t(std::max_element(best.begin(), best.end()) - best.begin());
  state.counters["median_ms"] = median;
  state.counters["worst_ms"] = best[worst];
  Keystrokes().push_back({sequence, median, best[worst], std::string(sequence, worst + 1)});
}

struct KeystrokeBenchmarks {
  KeystrokeBenchmarks() {
    for (const char* sequence : kKeystrokeSequences) {
      benchmark::RegisterBenchmark(("BM_FuzzyKeystrokes/" + std::string(sequence)).c_str(),
                                   TypeKeystrokes, sequence)
          ->Unit(benchmark::kMillisecond)
          ->UseRealTime()
          ->Iterations(1);
    }
  }
};
const KeystrokeBenchmarks keystrokeBenchmarks;

// SetTexts of the million on a fresh ranker (wall time, the best of kSetTextsRounds), and the
// bytes the ranker keeps per text beside the texts: the most it holds after SetTexts and after
// each of the queries ranked from a fresh start and then typed, the ranker itself included, and
// the most it held at any moment, transient blocks included.
struct SetTextsFigures {
  bool measured = false;
  double bestMs = 1e300;
  double keptPerText = 0;
  double peakPerText = 0;
};
SetTextsFigures& SetTextsMeasured() {
  static SetTextsFigures figures;
  return figures;
}

void BM_FuzzySetTexts(benchmark::State& state) {
  const TextList* list = MillionTexts();
  if (list == nullptr) return state.SkipWithError("no list of paths (dpkg -L gave none)");
  const FuzzyText* texts = list->texts.data();
  const auto count = uint32_t(list->texts.size());
  SetTextsFigures& figures = SetTextsMeasured();
  for (auto _ : state) {
    for (int round = 0; round < kSetTextsRounds; ++round) {
      auto* ranker = new FuzzyRanker;
      const auto start = std::chrono::steady_clock::now();
      const bool set = ranker->SetTexts(texts, count, FuzzyEncoding::kUtf8);
      figures.bestMs =
          std::min(figures.bestMs, Milliseconds(std::chrono::steady_clock::now() - start));
      delete ranker;
      if (!set) return state.SkipWithError("out of memory");
    }
    state.SetIterationTime(figures.bestMs / 1000);
  }
  const uint64_t before = bench::LiveBytes();
  bench::ResetPeakBytes();
  auto* ranker = new FuzzyRanker;
  if (!ranker->SetTexts(texts, count, FuzzyEncoding::kUtf8)) {
    delete ranker;
    return state.SkipWithError("out of memory");
  }
  uint64_t kept = bench::LiveBytes() - before;
  for (const char* query : kQueries) {
    ranker->SetTexts(texts, count, FuzzyEncoding::kUtf8);
    ranker->Rank(query, uint32_t(std::strlen(query)));
    kept = std::max(kept, bench::LiveBytes() - before);
  }
  for (uint32_t length = 1; length <= kTypedLength; ++length) {
    ranker->Rank(kTyped, length);
    kept = std::max(kept, bench::LiveBytes() - before);
  }
  figures.peakPerText = double(bench::PeakBytes() - before) / count;
  delete ranker;
  figures.keptPerText = double(kept) / count;
  figures.measured = true;
  state.counters["kept_bytes_per_text"] = figures.keptPerText;
}
BENCHMARK(BM_FuzzySetTexts)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(1);

const char* Verdict(bool holds) {
  return holds ? "holds" : "does not hold";
}

// The absolute goals, stated for this 2-core machine.
void PrintAbsoluteGoals() {
  std::printf(
      "\nThe ranker alone over 1,000,000 paths, on wall time (absolute goals, for this 2-core"
      "\nmachine: they mean something only when it is otherwise idle; the one-minute load average"
      "\nstood at up to %.2f as the sequences began). Each sequence typed letter by letter from"
      "\nSetTexts, %d times, each keystroke's Rank timed and its best kept:\n",
      LoadAverageWhenTyping(), kKeystrokeRounds);
  std::printf("  %-18s %6s %10s %10s  %s\n", "typed", "keys", "median", "worst", "worst at");
  bool medianHolds = !Keystrokes().empty(), worstHolds = !Keystrokes().empty();
  for (const KeystrokeFigures& typed : Keystrokes()) {
    std::printf("  %-18s %6zu %7.1f ms %7.1f ms  \"%s\"\n", typed.sequence.c_str(),
                typed.sequence.size(), typed.medianMs, typed.worstMs, typed.worstQuery.c_str());
    medianHolds = medianHolds && typed.medianMs <= kMedianKeystrokeMs;
    worstHolds = worstHolds && typed.worstMs <= kWorstKeystrokeMs;
  }
  char line[128];
  if (Keystrokes().empty()) {
    std::printf("  %-60s not measured in this run\n", "keystrokes");
  } else {
    std::snprintf(line, sizeof line, "median keystroke of every sequence (goal <= %.0f ms)",
                  kMedianKeystrokeMs);
    std::printf("  %-60s %s\n", line, Verdict(medianHolds));
    std::snprintf(line, sizeof line, "worst keystroke of every sequence (goal <= %.0f ms)",
                  kWorstKeystrokeMs);
    std::printf("  %-60s %s\n", line, Verdict(worstHolds));
  }
  const SetTextsFigures& set = SetTextsMeasured();
  if (!set.measured) {
    std::printf("  %-60s not measured in this run\n", "SetTexts of 1,000,000 paths");
    return;
  }
  std::snprintf(line, sizeof line, "SetTexts of 1,000,000 paths (goal <= %.0f ms)", kSetTextsMs);
  std::printf("  %-60s %7.1f ms %s\n", line, set.bestMs, Verdict(set.bestMs <= kSetTextsMs));
  std::snprintf(line, sizeof line, "bytes the ranker keeps per text (goal <= %.0f)", kBytesPerText);
  std::printf("  %-60s %7.1f %s (at most %.1f at any moment)\n", line, set.keptPerText,
              Verdict(set.keptPerText <= kBytesPerText), set.peakPerText);
}
TOLVANE_BENCH_REPORT(PrintAbsoluteGoals);

// The rank (1 for the first row) of `meant` in a finder's output for `query`; 0 when it is
// missing or the finder is not installed. The output goes through a file of our own, not
// /dev/stdout, which a sandbox may not have.
uint32_t FinderRank(bool fzy, const std::string& listFile, const std::string& outputFile,
                    const char* query, const char* meant) {
  if (!(fzy ? HaveFzy() : HaveFzf())) return 0;
  const std::string output = "'" + outputFile + "'";
  if (!RunFinder(fzy ? FzyCommand(query, listFile, output) : FzfCommand(query, listFile, output))) {
    return 0;
  }
  std::FILE* out = std::fopen(outputFile.c_str(), "rb");
  if (out == nullptr) return 0;
  uint32_t rank = 0, row = 0;
  char line[4096];
  while (std::fgets(line, sizeof line, out) != nullptr) {
    ++row;
    line[std::strcspn(line, "\n")] = '\0';
    if (rank == 0 && std::strcmp(line, meant) == 0) rank = row;
  }
  std::fclose(out);
  return rank;
}

void PrintRank(uint32_t rank) {
  if (rank == 0) {
    std::printf("%5s", "-");
  } else {
    std::printf("%5u", rank);
  }
}

// The quality table through all three: wherever fzf or fzy puts the meant file first, so must we.
void PrintQualityAgainstFinders() {
  std::size_t pathCount = 0, queryCount = 0;
  const char* const* paths = testing::RepositoryPaths(&pathCount);
  const testing::MeantFile* meant = testing::MeantFiles(&queryCount);
  std::printf(
      "\nRanking quality over this repository's %zu files: the rank of the file meant "
      "(1 is the first row, - not matched)\n  %-20s %5s %5s %5s  %s\n",
      pathCount, "query", "ours", "fzf", "fzy", "meant file");
  testing::TempDirectory dir;
  const std::string listFile = dir.File("repository.txt");
  const std::string rankedFile = dir.File("ranked.txt");
  std::vector<FuzzyText> texts;
  if (std::FILE* out = std::fopen(listFile.c_str(), "wb")) {
    for (std::size_t i = 0; i < pathCount; ++i) {
      std::fprintf(out, "%s\n", paths[i]);
      texts.push_back({paths[i], uint32_t(std::strlen(paths[i]))});
    }
    std::fclose(out);
  }
  FuzzyRanker ranker;
  ranker.SetTexts(texts.data(), uint32_t(texts.size()), FuzzyEncoding::kUtf8);
  uint32_t first[3] = {}, top3[3] = {};  // ours, fzf, fzy
  std::string behind;  // queries a finder answers with the meant file first and we do not
  for (std::size_t q = 0; q < queryCount; ++q) {
    const uint32_t count = ranker.Rank(meant[q].query, uint32_t(std::strlen(meant[q].query)));
    uint32_t ranks[3] = {};
    for (uint32_t r = 0; r < count && ranks[0] == 0; ++r) {
      if (std::strcmp(paths[ranker.Matches()[r]], meant[q].path) == 0) ranks[0] = r + 1;
    }
    ranks[1] = FinderRank(false, listFile, rankedFile, meant[q].query, meant[q].path);
    ranks[2] = FinderRank(true, listFile, rankedFile, meant[q].query, meant[q].path);
    std::printf("  %-20s", meant[q].query);
    for (int i = 0; i < 3; ++i) {
      PrintRank(ranks[i]);
      first[i] += ranks[i] == 1;
      top3[i] += ranks[i] >= 1 && ranks[i] <= 3;
    }
    std::printf("  %s\n", meant[q].path);
    if ((ranks[1] == 1 || ranks[2] == 1) && ranks[0] != 1) {
      behind += std::string(behind.empty() ? "" : ", ") + "\"" + meant[q].query + "\"";
    }
  }
  std::printf(
      "  first: ours %u of %zu, fzf %u, fzy %u; in the first three: ours %u, fzf %u, fzy %u\n",
      first[0], queryCount, first[1], first[2], top3[0], top3[1], top3[2]);
  const char* goal = "the meant file first wherever fzf or fzy puts it first";
  if (!HaveFzf() || !HaveFzy()) {
    std::printf("  %-60s not measured in this run (%s)\n", goal,
                HaveFzf()   ? "no fzy"
                : HaveFzy() ? "no fzf"
                            : "no fzf, no fzy");
  } else {
    std::printf("  %-60s %s%s\n", goal,
                behind.empty() ? "holds" : "does not hold for: ", behind.c_str());
  }
}
TOLVANE_BENCH_REPORT(PrintQualityAgainstFinders);

}  // namespace
}  // namespace tolvane
