// Runs every benchmark, then prints one line per goal: the measured ratio, the goal, and whether
// it holds. Benchmarks report; they never fail a build.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <map>
#include <string>

#include "bench_goals.h"

namespace tolvane::bench {

std::vector<Goal>& Goals() {
  static std::vector<Goal> goals;
  return goals;
}

std::vector<Report>& Reports() {
  static std::vector<Report> reports;
  return reports;
}

namespace {

// The console output as usual, plus the best CPU time and the best wall time per iteration
// (seconds) of every benchmark, over its repetitions: on a machine shared with other work, CPU
// time is disturbed far less than wall time (which only goals against other processes use), and a
// disturbance only ever adds to either.
class GoalReporter final : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    ConsoleReporter::ReportRuns(runs);
    for (const Run& run : runs) {
      if (run.run_type != Run::RT_Iteration || run.error_occurred || run.iterations == 0) {
        continue;
      }
      // A benchmark's repetitions are one benchmark: "/repeats:N" stays out of the goals' names.
      benchmark::BenchmarkName runName = run.run_name;
      runName.repetitions.clear();
      const std::string name = runName.str();
      Keep(cpu_, name, run.cpu_accumulated_time / double(run.iterations));
      Keep(wall_, name, run.real_accumulated_time / double(run.iterations));
    }
  }

  const double* Seconds(const std::string& name, bool wall) const {
    const std::map<std::string, double>& best = wall ? wall_ : cpu_;
    auto found = best.find(name);
    return found == best.end() ? nullptr : &found->second;
  }

 private:
  static void Keep(std::map<std::string, double>& best, const std::string& name, double seconds) {
    auto known = best.find(name);
    best[name] = known == best.end() ? seconds : std::min(known->second, seconds);
  }

  std::map<std::string, double> cpu_;
  std::map<std::string, double> wall_;
};

void PrintGoals(const GoalReporter& reporter) {
  std::printf(
      "\nGoals (CPU time ratio, or wall time where marked, against a baseline measured in "
      "this run):\n");
  for (const Goal& goal : Goals()) {
    const bool wall = goal.kind == GoalKind::kWallTimeAtMost;
    const double* candidate = reporter.Seconds(goal.candidate, wall);
    const double* baseline = reporter.Seconds(goal.baseline, wall);
    std::string against = goal.baseline;
    if (!goal.otherBaseline.empty()) {
      const double* other = reporter.Seconds(goal.otherBaseline, wall);
      if (other != nullptr && *other > 0 && (baseline == nullptr || *other < *baseline)) {
        baseline = other;
        against = goal.otherBaseline;
      }
    }
    if (candidate == nullptr || baseline == nullptr || *candidate <= 0 || *baseline <= 0) {
      std::printf("  %-60s not measured in this run\n", goal.description.c_str());
      continue;
    }
    const bool time = goal.kind != GoalKind::kSpeedAtLeast;
    const double ratio = time ? *candidate / *baseline : *baseline / *candidate;
    const bool holds = time ? ratio <= goal.limit : ratio >= goal.limit;
    std::printf("  %-60s %6.2fx %s (goal %s %.2fx) %s", goal.description.c_str(), ratio,
                wall   ? "wall time"
                : time ? "time"
                       : "speed",
                time ? "<=" : ">=", goal.limit, holds ? "holds" : "does not hold");
    if (!goal.otherBaseline.empty()) {
      // The faster baseline by its benchmark's name, arguments left off.
      std::printf(" (%.2f s against %s's %.2f s)", *candidate,
                  against.substr(0, against.find('/')).c_str(), *baseline);
    } else if (wall) {
      std::printf(" (%.2f s against %.2f s)", *candidate, *baseline);
    }
    std::printf("\n");
  }
}

}  // namespace
}  // namespace tolvane::bench

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 2;
  tolvane::bench::GoalReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();
  tolvane::bench::PrintGoals(reporter);
  for (tolvane::bench::Report report : tolvane::bench::Reports()) report();
  return 0;
}
