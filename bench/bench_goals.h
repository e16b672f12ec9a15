// Performance goals: each compares a candidate benchmark with a baseline measured in the same
// run, as a ratio, never as an absolute time. A benchmark file states its goals beside the
// benchmarks:
//   TOLVANE_BENCH_GOAL("what", "BM_Candidate/arg", "BM_Baseline/arg", 1.5)
//       holds when candidate time / baseline time <= 1.5
//   TOLVANE_BENCH_SPEED_GOAL("what", "BM_Candidate", "BM_Baseline", 0.5)
//       holds when candidate speed / baseline speed (baseline time / candidate time) >= 0.5
//   TOLVANE_BENCH_WALL_GOAL("what", "BM_Candidate", "BM_Baseline", 1.0)
//       as TOLVANE_BENCH_GOAL, on wall time: for baselines that run in other processes or on
//       several cores (the benchmarks measure them with UseRealTime, or with UseManualTime from a
//       steady clock)
//   TOLVANE_BENCH_WALL_GOAL_VS_FASTER("what", "BM_Candidate", "BM_One", "BM_Other", 0.5)
//       as TOLVANE_BENCH_WALL_GOAL, against the faster of two baselines (the one measured, when
//       the other is not)
// A file may also add a report, printed after the goals: TOLVANE_BENCH_REPORT(function).
// Names are Google Benchmark's full run names, arguments included.
#pragma once

#include <string>
#include <vector>

namespace tolvane::bench {

enum class GoalKind { kTimeAtMost, kSpeedAtLeast, kWallTimeAtMost };

struct Goal {
  std::string description;
  std::string candidate;
  std::string baseline;
  double limit;
  GoalKind kind;
  std::string otherBaseline = {};  // when set, the goal compares with the faster of the two
};

std::vector<Goal>& Goals();

struct GoalRegistrar {
  explicit GoalRegistrar(Goal goal) { Goals().push_back(std::move(goal)); }
};

using Report = void (*)();
std::vector<Report>& Reports();

struct ReportRegistrar {
  explicit ReportRegistrar(Report report) { Reports().push_back(report); }
};

}  // namespace tolvane::bench

#define TOLVANE_BENCH_JOIN2(a, b) a##b
#define TOLVANE_BENCH_JOIN(a, b) TOLVANE_BENCH_JOIN2(a, b)
#define TOLVANE_BENCH_GOAL(description, candidate, baseline, maxRatio)                      \
  static const ::tolvane::bench::GoalRegistrar TOLVANE_BENCH_JOIN(tolvane_goal_, __LINE__)( \
      {description, candidate, baseline, maxRatio, ::tolvane::bench::GoalKind::kTimeAtMost})
#define TOLVANE_BENCH_SPEED_GOAL(description, candidate, baseline, minRatio)                \
  static const ::tolvane::bench::GoalRegistrar TOLVANE_BENCH_JOIN(tolvane_goal_, __LINE__)( \
      {description, candidate, baseline, minRatio, ::tolvane::bench::GoalKind::kSpeedAtLeast})
#define TOLVANE_BENCH_WALL_GOAL(description, candidate, baseline, maxRatio)                 \
  static const ::tolvane::bench::GoalRegistrar TOLVANE_BENCH_JOIN(tolvane_goal_, __LINE__)( \
      {description, candidate, baseline, maxRatio, ::tolvane::bench::GoalKind::kWallTimeAtMost})
#define TOLVANE_BENCH_WALL_GOAL_VS_FASTER(description, candidate, baseline, otherBaseline, \
                                          maxRatio)                                        \
  static const ::tolvane::bench::GoalRegistrar TOLVANE_BENCH_JOIN(                         \
      tolvane_goal_, __LINE__)({description, candidate, baseline, maxRatio,                \
                                ::tolvane::bench::GoalKind::kWallTimeAtMost, otherBaseline})
#define TOLVANE_BENCH_REPORT(function)                                               \
  static const ::tolvane::bench::ReportRegistrar TOLVANE_BENCH_JOIN(tolvane_report_, \
                                                                    __LINE__)(function)
