// The scenario tester. Every scenario runs in a process of its own (a pinned module never unloads,
// and a crash must not take the tester down); a failing one is shrunk by removing actions and
// replaying each candidate in a fresh process, and printed as its seed and its shortest list.
//   scenario_tests --seeds FIRST COUNT   those seeds, then the regression lists and the fault
//                                         sweeps (ctest)
//   scenario_tests --fuzz SECONDS [FIRST] new seeds from FIRST (default: from the clock) until
//                                         the time is up or one fails
//   scenario_tests --seed N | --play "ACTIONS"   one scenario, in this process
//   scenario_tests --sweep "ACTIONS"      a fault sweep's list, in this process, to the first
//                                         step whose fault never fires
// --steps N sets a seed's number of actions (default 200).
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "scenario/scenario.h"

namespace tolvane::testing::scenario {
namespace {

// Faults found by this tester, each as the shortest action list that showed it, and fault points
// that seeds seldom land on.
const char* const kRegressions[] = {
    // A column width stored as a text was written over at the close.
    "width:0 create:0 init:0:1 close:0:1",
    "create:0 width:1 init:1:2 init:1:0",
    // Opened twice without a close, the same combo box showed its history twice, and stored it so.
    "create:0 init:1:2 add:2:4 init:1:0",
    "reg:1:6 create:0 init:1:2 init:1:0 close:1:0 destroy:0",
    // The host subclassed over the module's list and unloaded it with no message in between: the
    // code was pinned as the module ended, and its window table went with it. The next message to
    // the list read the table through a null pointer; loaded again, the module subclassed the list
    // over its own buried procedure, which then called itself until the stack ran out.
    "create:0 init:0:0 sub:1 unload",
    "create:0 init:0:0 sub:1 unload create:0 init:0:0 add:0:2 close:0:0 destroy:0",
    // A save set aside the list a load could not open, then found the disk full: the list waited
    // under ".old" and the next load reported success with no entries.
    "file:7 create:0 file:3 load:0 file:4 save!d0 load:0",
    // Unloaded with a dialog open, the module left its history in the combo box: loaded again,
    // its opening on the same dialog showed it twice, and its close stored it twice.
    "reg:0:3 create:0 init:0:0 unload create:0 init:0:0",
    // A creation that found no main window while another was live replaced that one's root and
    // workspace: the live creation's saves went to the failed creation's workspace.
    "create:0 create:1 save",
    // Memory ran out while a save wrote, after it had set aside the list a load could not open:
    // the list waited under ".old" and the next load reported success with no entries.
    "file:7 file:3 create:0 load:1 file:4 save!m5 load:1",
    // A load read the list and ran out of memory in the export: it put the older list back and
    // cleared the mark, so the save wrote it over the list just read, with nothing set aside.
    "file:7 create:0 load:1!m3 save",
    // A set that ran out of memory was invisible: the next save reported success with the older
    // list.
    "file:7 create:0 load:0 set:1!h0 save",
    // The ".old" name taken by a folder: the set-aside failed, and every save with it. A second
    // set-aside replaced the first.
    "file:7 create:0 file:3 load:0 file:4 file:8 save",
    "file:7 file:1 create:0 load:0 file:0 load:0",
    // A null path failed the load and kept the list, where an empty one loads an empty list.
    "file:7 create:0 file:9 load:0",
    // Find Tag opened again, the copy-back of its second combo box out of memory: the first kept
    // its items but lost its mark, and the next opening filled them in again.
    "create:0 init:1:1 add:1:2 add:2:2 init:1:0!m26 init:1:0",
    // The Find File path cell pointed at the record's own text, which the host's source may end
    // as soon as the request is answered.
    "create:0 init:0:1 show:0:16",
    // Memory ran out as a list was attached (once, the fallback of an attach for notifications
    // only called the list's own attach without end).
    "create:0 init:0:2!m2",
    // A Find dialog opening that could not attach a combo box (or its key hook) for lack of
    // memory reported success over the bare control; in Find Tag the first combo box kept the
    // history filled in. The opening now fails and takes back what it filled in, mark and all.
    "reg:0:6 create:0 init:0:1!m13",
    "reg:0:6 create:0 init:0:1!m14",
    "reg:1:6 reg:2:3 create:0 init:1:1!m30 init:1:0",
    // Memory ran out as the host loaded the module: the runtime's thread-local storage, first
    // used by the module's own first throw, ended the process; with the runtime's emergency pool
    // left empty, so did the throw itself. The load now fails, or succeeds from the reserve.
    "create:0!m4 create:0",
    "create:0!m9 init:0:1 close:0:0 destroy:0 unload create:0!m12",
    // The system refused the combo boxes' key hook: the opening reported success, and the keys
    // were never steered. Such an opening now fails and takes back what it filled in.
    "create:0 init:0:2!k0",
    // Not a fault of the module: the model took two candidate lists that store alike for a
    // contradiction.
    "create:0 init:1:1 add:2:4 destroy:2 create:0 create:0 destroy:2 init:1:0 destroy:2 create:0 "
    "close:1:0!m0 destroy:0",
    // Fault points: another writer lengthens the stored history through every read of the
    // creation, so the module gives up on it and must never write it.
    "reg:0:3 create:0!g0 add:0:2 destroy:0",
    // Fault points: the host's subclasses over the combo box and the dialog keep ours in place
    // after an opening again that failed; the combo box, whose object is gone, still notifies
    // the dialog.
    "create:0 init:0:1 sub:2 sub:0 init:0:0!k0 char:0:1 init:0:0 char:0:2 close:0:0",
    // The keys steer a subclassed list with and without the host's subclass over ours, which
    // keeps ours when the list is let go of, and the next opening goes on through ours.
    "create:0 init:0:1 rows:0:5 key:0:1 sub:1 key:0:1 init:0:0 key:0:1 show:0:16 paint:0 "
    "close:0:0",
};

// Fault points swept in turn: each allocation of the module's load and creation, of a save that
// sets aside the list a load could not open, and of each Find dialog's opening (ANSI and Unicode,
// with stored histories to fill in), and each hook an opening sets, failing from that one on
// (and, for an opening, that one only), each in a fresh load of the module. Seeds land on few of
// them. A sweep ends at the first step whose fault waits beyond the action's calls, so its count
// is only a bound (the most an action makes now is 32 allocations).
constexpr int kSweptAllocations = 64;

// A regression list, or a fault sweep's.
struct ListToPlay {
  std::string list;
  // A sweep whose every step begins where the one before did: the first step whose fault waits
  // beyond the action's calls ends it, as the rest would play the same.
  bool stepsAlike = true;
};

std::vector<ListToPlay> FaultSweeps() {
  std::vector<ListToPlay> sweeps;
  auto sweep = [&](const std::string& before, const std::string& faulted, char fault, int count,
                   const std::string& after) {
    std::string list;
    for (int k = 0; k < count; ++k) {
      list += before + faulted + "!" + fault + std::to_string(k) + " " + after + " ";
    }
    sweeps.push_back({list});
  };
  // A list buried under the host's subclass, taken on again through ours: each allocation of
  // that opening failing alone (the burial pins the module, so these share one load).
  sweep("create:0 init:0:1 sub:1 ", "init:0:0", 'M', 12, "close:0:0 destroy:0 unload");
  sweeps.back().stepsAlike = false;
  // Each allocation of the load and the creation failing alone, the rest succeeding: the
  // module's fallbacks run, and a load that fails ends with memory to spare.
  sweep("", "create:0", 'M', kSweptAllocations, "destroy:0 unload");
  for (const char fault : {'m', 'h'}) {
    sweep("", "create:0", fault, kSweptAllocations, "destroy:0 unload");
    sweep("file:7 file:3 create:0 load:1 file:4 ", "save", fault, kSweptAllocations,
          "load:1 destroy:0 unload");
  }
  // An opening takes one hook, the combo boxes' key hook (the count is a bound).
  for (const auto& [fault, count] : {std::pair{'m', kSweptAllocations},
                                     {'h', kSweptAllocations},
                                     {'k', 3},
                                     {'M', kSweptAllocations},
                                     {'K', 3}}) {
    for (const char* dialog : {"0", "1"}) {
      for (const char* charset : {"1", "2"}) {
        sweep(std::string("reg:0:6 reg:1:6 reg:2:3 create:0 "),
              std::string("init:") + dialog + ":" + charset, fault, count,
              std::string("close:") + dialog + ":0 destroy:0 unload");
      }
    }
  }
  return sweeps;
}

int g_steps = 200;

// What one scenario in a process of its own came to.
Outcome RunChild(const std::string& arguments) {
  char program[MAX_PATH] = "";
  ::GetModuleFileNameA(nullptr, program, MAX_PATH);
  std::string command = "\"" + std::string(program) + "\" " + arguments;
  SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
  HANDLE readEnd = nullptr, writeEnd = nullptr;
  ::CreatePipe(&readEnd, &writeEnd, &inherit, 0);
  ::SetHandleInformation(readEnd, HANDLE_FLAG_INHERIT, 0);
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdOutput = startup.hStdError = writeEnd;
  startup.hStdInput = ::GetStdHandle(STD_INPUT_HANDLE);
  PROCESS_INFORMATION process{};
  if (!::CreateProcessA(nullptr, command.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr,
                        &startup, &process)) {
    return {false, -1, "tester: cannot start " + command};
  }
  ::CloseHandle(writeEnd);
  std::string output;
  char buffer[4096];
  DWORD got = 0;
  while (::ReadFile(readEnd, buffer, sizeof buffer, &got, nullptr) && got > 0) {
    output.append(buffer, got);
  }
  ::CloseHandle(readEnd);
  ::WaitForSingleObject(process.hProcess, INFINITE);
  DWORD status = 0;
  ::GetExitCodeProcess(process.hProcess, &status);
  ::CloseHandle(process.hProcess);
  ::CloseHandle(process.hThread);
  Outcome outcome;
  const std::size_t line = output.rfind("RESULT ");
  int step = -1;
  char kind[8] = "";
  if (line != std::string::npos &&
      std::sscanf(output.c_str() + line, "RESULT %7s %d", kind, &step) == 2) {
    outcome.ok = std::strcmp(kind, "ok") == 0;
    outcome.step = step;
    const std::size_t what = output.find(' ', output.find(' ', line + 7) + 1);
    if (!outcome.ok) outcome.what = output.substr(what + 1, output.find('\n', what) - what - 1);
  }
  if (status > 1 || line == std::string::npos) {
    // The process went down: after the last step it reported.
    const std::size_t last = output.rfind("STEP ");
    outcome = {false, last == std::string::npos ? 0 : std::atoi(output.c_str() + last + 5) + 1,
               "crash: exit status " + std::to_string(status)};
  }
  return outcome;
}

std::string Kind(const std::string& what) {
  return what.substr(0, what.find(':'));
}

// Removes ever smaller runs of actions as long as the same kind of failure remains.
std::vector<Action> Shrink(std::vector<Action> actions, const Outcome& failure, int* runs) {
  actions.resize(std::min(actions.size(), std::size_t(failure.step) + 1));
  for (std::size_t chunk = actions.size() / 2; chunk >= 1; chunk /= 2) {
    for (std::size_t at = 0; at < actions.size();) {
      std::vector<Action> candidate = actions;
      candidate.erase(candidate.begin() + long(at),
                      candidate.begin() + long(std::min(actions.size(), at + chunk)));
      const Outcome outcome = RunChild("--play \"" + Format(candidate) + "\"");
      ++*runs;
      if (!outcome.ok && Kind(outcome.what) == Kind(failure.what) && outcome.step >= 0) {
        candidate.resize(std::min(candidate.size(), std::size_t(outcome.step) + 1));
        actions = candidate;
      } else {
        at += chunk;
      }
    }
    if (chunk == 1) break;
  }
  for (Action& action : actions) {  // then the failures injected that the fault does not need
    if (action.fault == Fault::kNone) continue;
    const Action kept = action;
    action.fault = Fault::kNone;
    const Outcome outcome = RunChild("--play \"" + Format(actions) + "\"");
    ++*runs;
    if (outcome.ok || Kind(outcome.what) != Kind(failure.what)) action = kept;
  }
  return actions;
}

void Report(const char* name, const std::vector<Action>& actions, const Outcome& failure) {
  int runs = 0;
  const std::vector<Action> shortest = Shrink(actions, failure, &runs);
  const std::size_t step = std::min(actions.size() - 1, std::size_t(failure.step));
  std::printf(
      "FAILED %s at action %d (%s): %s\n  shortest failing list (%zu actions, %d replays):"
      "\n  %s\n",
      name, failure.step, Format(actions[step]).c_str(), failure.what.c_str(), shortest.size(),
      runs, Format(shortest).c_str());
  std::fflush(stdout);
}

struct Tally {
  int passed = 0, failed = 0;
  long long actions = 0;
  ULONGLONG start = ::GetTickCount64();
  void Print() const {
    const double seconds = double(::GetTickCount64() - start) / 1000.0;
    std::printf("%d scenarios, %lld actions in %.1f s: %.2f scenarios/s, %.0f actions/s\n",
                passed + failed, actions, seconds, (passed + failed) / seconds,
                double(actions) / seconds);
  }
};

bool RunSeed(uint32_t seed, Tally& tally) {
  const Outcome outcome =
      RunChild("--steps " + std::to_string(g_steps) + " --seed " + std::to_string(seed));
  tally.actions += outcome.ok ? g_steps : outcome.step + 1;
  if (outcome.ok) return ++tally.passed, true;
  ++tally.failed;
  Report(("seed " + std::to_string(seed)).c_str(), Generate(seed, g_steps), outcome);
  return false;
}

int PlayHere(const std::vector<Action>& actions, Until until = Until::kEnd) {
  const Outcome outcome = Play(actions, until);
  if (outcome.ok) {
    std::printf("RESULT ok %d\n", outcome.step);
  } else {
    std::printf("RESULT fail %d %s\n", outcome.step, outcome.what.c_str());
  }
  return outcome.ok ? 0 : 1;
}

}  // namespace
}  // namespace tolvane::testing::scenario

int main(int argc, char** argv) {
  using namespace tolvane::testing::scenario;
  for (int i = 1; i + 1 < argc; ++i) {
    if (std::strcmp(argv[i], "--steps") == 0) g_steps = std::atoi(argv[i + 1]);
  }
  for (int i = 1; i + 1 < argc; ++i) {
    const std::string option = argv[i];
    if (option == "--seed") return PlayHere(Generate(uint32_t(std::atoll(argv[i + 1])), g_steps));
    if (option == "--play" || option == "--sweep") {
      std::vector<Action> actions;
      if (!Parse(argv[i + 1], actions)) return std::fprintf(stderr, "not an action list\n"), 2;
      return PlayHere(actions, option == "--sweep" ? Until::kUnfiredFault : Until::kEnd);
    }
    if (option == "--seeds" && i + 2 < argc) {
      Tally tally;
      const uint32_t first = uint32_t(std::atoll(argv[i + 1]));
      for (uint32_t seed = first; seed < first + uint32_t(std::atoi(argv[i + 2])); ++seed) {
        RunSeed(seed, tally);
      }
      std::vector<ListToPlay> lists;
      for (const char* regression : kRegressions) lists.push_back({regression, false});
      for (ListToPlay& sweep : FaultSweeps()) lists.push_back(std::move(sweep));
      for (const auto& [regression, stepsAlike] : lists) {
        std::vector<Action> actions;
        if (!Parse(regression, actions)) {
          std::printf("not an action list: %s\n", regression.c_str());
          ++tally.failed;
          continue;
        }
        const Outcome outcome =
            RunChild((stepsAlike ? "--sweep \"" : "--play \"") + regression + "\"");
        tally.actions += outcome.ok ? outcome.step : outcome.step + 1;
        if (outcome.ok && stepsAlike && std::size_t(outcome.step) == actions.size()) {
          // Its last step's fault still fired: calls beyond the sweep's steps went unfailed.
          std::printf("FAILED sweep: too few steps for its action's calls: %s\n",
                      regression.c_str());
          ++tally.failed;
          continue;
        }
        outcome.ok ? ++tally.passed : ++tally.failed;
        if (!outcome.ok) Report("regression", actions, outcome);
      }
      tally.Print();
      std::printf("%d passed, %d failed\n", tally.passed, tally.failed);
      return tally.failed == 0 ? 0 : 1;
    }
    if (option == "--fuzz") {
      Tally tally;
      const ULONGLONG limit = ULONGLONG(std::atoll(argv[i + 1])) * 1000;
      uint32_t seed = i + 2 < argc && argv[i + 2][0] != '-' ? uint32_t(std::atoll(argv[i + 2]))
                                                            : uint32_t(::GetTickCount64());
      std::printf("scenarios from seed %u, %d actions each\n", seed, g_steps);
      bool ok = true;
      while (ok && ::GetTickCount64() - tally.start < limit) ok = RunSeed(seed++, tally);
      tally.Print();
      return ok ? 0 : 1;
    }
  }
  std::fprintf(stderr,
               "usage: scenario_tests --seeds FIRST COUNT | --fuzz SECONDS [FIRST] | "
               "--seed N | --play \"ACTIONS\" | --sweep \"ACTIONS\" [--steps N]\n");
  return 2;
}
