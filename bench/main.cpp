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

namespace {

// The console output as usual, plus the best CPU time per iteration (seconds) of every benchmark,
// over its repetitions: on a machine shared with other work, CPU time is disturbed far less than
// wall time, and a disturbance only ever adds to it.
class GoalReporter final : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    ConsoleReporter::ReportRuns(runs);
    for (const Run& run : runs) {
      if (run.run_type != Run::RT_Iteration || run.error_occurred || run.iterations == 0) {
        continue;
      }
      const double seconds = run.cpu_accumulated_time / double(run.iterations);
      // A benchmark's repetitions are one benchmark: "/repeats:N" stays out of the goals' names.
      benchmark::BenchmarkName runName = run.run_name;
      runName.repetitions.clear();
      const std::string name = runName.str();
      auto known = best_.find(name);
      best_[name] = known == best_.end() ? seconds : std::min(known->second, seconds);
    }
  }

  const double* Seconds(const std::string& name) const {
    auto found = best_.find(name);
    return found == best_.end() ? nullptr : &found->second;
  }

 private:
  std::map<std::string, double> best_;
};

void PrintGoals(const GoalReporter& reporter) {
  std::printf("\nGoals (CPU time ratio against a baseline measured in this run):\n");
  for (const Goal& goal : Goals()) {
    const double* candidate = reporter.Seconds(goal.candidate);
    const double* baseline = reporter.Seconds(goal.baseline);
    if (candidate == nullptr || baseline == nullptr || *candidate <= 0 || *baseline <= 0) {
      std::printf("  %-60s not measured in this run\n", goal.description.c_str());
      continue;
    }
    const bool time = goal.kind == GoalKind::kTimeAtMost;
    const double ratio = time ? *candidate / *baseline : *baseline / *candidate;
    const bool holds = time ? ratio <= goal.limit : ratio >= goal.limit;
    std::printf("  %-60s %6.2fx %s (goal %s %.2fx) %s\n", goal.description.c_str(), ratio,
                time ? "time" : "speed", time ? "<=" : ">=", goal.limit,
                holds ? "holds" : "does not hold");
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
  return 0;
}
