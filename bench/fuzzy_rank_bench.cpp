// The fuzzy ranker against fzf, the fuzzy finder people use in terminals (Debian's package, run
// as a separate program, never linked): a million realistic paths ranked for a query typed
// letter by letter, on wall time, as fzf uses every core and the ranker one; and the ranking
// quality table side by side.
#include <benchmark/benchmark.h>
#include <sys/wait.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "bench_goals.h"
#include "support/fuzzy_quality_table.h"
#include "support/temp_directory.h"
#include "tolvane/fuzzy_match.h"

namespace tolvane {
namespace {

constexpr uint32_t kPathCount = 1000000;
// Typed letter by letter: "f", "fi", ..., "find_files", ten queries.
constexpr char kTyped[] = "find_files";
constexpr uint32_t kQueries = sizeof(kTyped) - 1;

bool HaveFzf() {
  return std::system("command -v fzf >/dev/null 2>&1") == 0;
}

// fzf exits with 0 when something matched, 1 when nothing did, and 2 or more on an error.
bool RunFzf(const std::string& command) {
  const int status = std::system(command.c_str());
  return status != -1 && WIFEXITED(status) && WEXITSTATUS(status) <= 1;
}

// Runs fzf on `listFile` for `query` (letters, digits and ./_- only) with its default options,
// whatever the user's environment sets; its output goes to `output`.
std::string FzfCommand(const std::string& query, const std::string& listFile,
                       const std::string& output) {
  return "env -u FZF_DEFAULT_OPTS fzf --filter '" + query + "' < '" + listFile + "' > " + output;
}

// The paths of every file that the installed Debian packages hold (dpkg -L), under varied
// prefixes (chroots, backups, container layers) until there are a million, one a line in a file
// that both finders read. Made once per run.
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

// The whole job as a host does it, from the same file fzf reads: the list read and split into
// texts, then each query of the sequence ranked (the ranker narrows as the query grows).
void BM_FuzzyRankTyping(benchmark::State& state) {
  if (!Paths().made) return state.SkipWithError("no list of paths (dpkg -L gave none)");
  uint32_t matches = 0;
  for (auto _ : state) {
    std::FILE* in = std::fopen(Paths().file.c_str(), "rb");
    std::string bytes;
    char chunk[1 << 16];
    for (std::size_t got; (got = std::fread(chunk, 1, sizeof chunk, in)) > 0;) {
      bytes.append(chunk, got);
    }
    std::fclose(in);
    std::vector<FuzzyText> texts;
    texts.reserve(kPathCount);
    for (std::size_t start = 0, end; start < bytes.size(); start = end + 1) {
      end = bytes.find('\n', start);
      if (end == std::string::npos) end = bytes.size();
      texts.push_back({bytes.data() + start, uint32_t(end - start)});
    }
    FuzzyRanker ranker;
    if (!ranker.SetTexts(texts.data(), uint32_t(texts.size()), FuzzyEncoding::kUtf8)) {
      return state.SkipWithError("out of memory");
    }
    for (uint32_t length = 1; length <= kQueries; ++length) matches = ranker.Rank(kTyped, length);
    benchmark::DoNotOptimize(ranker.Matches());
  }
  state.counters["last_matches"] = matches;
}
BENCHMARK(BM_FuzzyRankTyping)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1);

// fzf --filter once per query of the same sequence, each run reading the list and writing its
// ranked matches to /dev/null: process start, reading, matching on every core and sorting count.
void BM_FzfFilterTyping(benchmark::State& state) {
  if (!HaveFzf()) return state.SkipWithError("fzf is not installed (./run bench installs it)");
  if (!Paths().made) return state.SkipWithError("no list of paths (dpkg -L gave none)");
  for (auto _ : state) {
    for (uint32_t length = 1; length <= kQueries; ++length) {
      const std::string command =
          FzfCommand(std::string(kTyped, length), Paths().file, "/dev/null");
      if (!RunFzf(command)) return state.SkipWithError("fzf failed");
    }
  }
}
BENCHMARK(BM_FzfFilterTyping)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1);

// For scale: one fzf run whose query matches nothing, close to fzf's reading of the list alone.
void BM_FzfReadOnce(benchmark::State& state) {
  if (!HaveFzf()) return state.SkipWithError("fzf is not installed (./run bench installs it)");
  if (!Paths().made) return state.SkipWithError("no list of paths (dpkg -L gave none)");
  for (auto _ : state) {
    if (!RunFzf(FzfCommand("qqqqqqqqzzzzzzzz", Paths().file, "/dev/null"))) {
      return state.SkipWithError("fzf failed");
    }
  }
}
BENCHMARK(BM_FzfReadOnce)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1);

TOLVANE_BENCH_WALL_GOAL("rank 1,000,000 paths, typing find_files, vs fzf --filter",
                        "BM_FuzzyRankTyping/iterations:1/real_time",
                        "BM_FzfFilterTyping/iterations:1/real_time", 1.0);

// What the wall-time goal against fzf counts, beside its verdict.
void PrintWhatTheFzfGoalCounts() {
  std::printf(
      "\nRanking against fzf: ours counts reading the list file and splitting it into texts once,"
      "\nthen ranking the %u queries (f, fi, ..., %s) in one process on one core; fzf's counts %u"
      "\nruns of fzf --filter, each starting, reading the list, matching on every core and writing"
      "\nits ranked matches to /dev/null. BM_FzfReadOnce is one run whose query matches nothing:"
      "\nabout fzf's reading of the list alone.\n",
      kQueries, kTyped, kQueries);
}
TOLVANE_BENCH_REPORT(PrintWhatTheFzfGoalCounts);

// The rank (1 for the first row) of `meant` in fzf's output for `query`; 0 when it is missing.
// The output goes through a file of our own, not /dev/stdout, which a sandbox may not have.
uint32_t FzfRank(const std::string& listFile, const std::string& outputFile, const char* query,
                 const char* meant) {
  if (std::system(FzfCommand(query, listFile, "'" + outputFile + "'").c_str()) == -1) return 0;
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

// The quality table through both finders: wherever fzf puts the meant file first, so must we.
void PrintQualityAgainstFzf() {
  std::size_t pathCount = 0, queryCount = 0;
  const char* const* paths = testing::RepositoryPaths(&pathCount);
  const testing::MeantFile* meant = testing::MeantFiles(&queryCount);
  std::printf(
      "\nRanking quality over this repository's %zu files: the rank of the file meant "
      "(1 is the first row, - not matched)\n  %-16s %5s %5s  %s\n",
      pathCount, "query", "ours", "fzf", "meant file");
  const bool fzf = HaveFzf();
  testing::TempDirectory dir;
  const std::string listFile = dir.File("repository.txt");
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
  uint32_t oursFirst = 0, fzfFirst = 0, oursTop3 = 0, fzfTop3 = 0;
  std::string behind;  // queries fzf answers with the meant file first and we do not
  for (std::size_t q = 0; q < queryCount; ++q) {
    const uint32_t count = ranker.Rank(meant[q].query, uint32_t(std::strlen(meant[q].query)));
    uint32_t ours = 0;
    for (uint32_t r = 0; r < count && ours == 0; ++r) {
      if (std::strcmp(paths[ranker.Matches()[r]], meant[q].path) == 0) ours = r + 1;
    }
    const uint32_t theirs =
        fzf ? FzfRank(listFile, dir.File("ranked.txt"), meant[q].query, meant[q].path) : 0;
    std::printf("  %-16s", meant[q].query);
    PrintRank(ours);
    PrintRank(theirs);
    std::printf("  %s\n", meant[q].path);
    oursFirst += ours == 1, fzfFirst += theirs == 1;
    oursTop3 += ours >= 1 && ours <= 3, fzfTop3 += theirs >= 1 && theirs <= 3;
    if (theirs == 1 && ours != 1)
      behind += std::string(behind.empty() ? "" : ", ") + meant[q].query;
  }
  std::printf("  first: ours %u of %zu, fzf %u; in the first three: ours %u, fzf %u\n", oursFirst,
              queryCount, fzfFirst, oursTop3, fzfTop3);
  if (!fzf) {
    std::printf("  %-60s not measured in this run (no fzf)\n",
                "the meant file first wherever fzf puts it first");
  } else {
    std::printf("  %-60s %s%s\n", "the meant file first wherever fzf puts it first",
                behind.empty() ? "holds" : "does not hold for: ", behind.c_str());
  }
}
TOLVANE_BENCH_REPORT(PrintQualityAgainstFzf);

}  // namespace
}  // namespace tolvane
