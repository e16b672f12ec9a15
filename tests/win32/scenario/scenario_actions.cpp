#include <cctype>
#include <cstdio>
#include <random>
#include <sstream>

#include "scenario/scenario.h"

namespace tolvane::testing::scenario {
namespace {

struct OpInfo {
  const char* name;
  int weight;  // how often the generator picks it
  int aRange;
  int bRange;
};

// Indexed by Op.
constexpr OpInfo kOps[] = {
    {"create", 6, 2, 0}, {"destroy", 4, 3, 0}, {"unload", 2, 0, 0}, {"init", 8, 2, 3},
    {"close", 6, 2, 2},  {"end", 2, 2, 0},     {"add", 10, 3, 9},   {"key", 10, 3, 13},
    {"char", 3, 3, 4},   {"show", 8, 4, 96},   {"rows", 3, 2, 9},   {"sub", 3, 7, 0},
    {"unsub", 3, 7, 0},  {"load", 6, 3, 0},    {"save", 6, 0, 0},   {"get", 4, 0, 0},
    {"set", 5, 6, 0},    {"goto", 5, 6, 0},    {"reg", 3, 3, 7},    {"width", 1, 2, 0},
    {"file", 6, 10, 0},  {"mark", 3, 2, 2},    {"paint", 6, 2, 0},
};
static_assert(sizeof kOps / sizeof kOps[0] == size_t(Op::kCount));

constexpr char kFaultLetters[] = " hmdgk";

}  // namespace

std::string Format(const Action& action) {
  std::string text = kOps[int(action.op)].name;
  if (kOps[int(action.op)].aRange > 0) text += ":" + std::to_string(action.a);
  if (kOps[int(action.op)].bRange > 0) text += ":" + std::to_string(action.b);
  if (action.fault != Fault::kNone) {
    text += "!";
    const char letter = kFaultLetters[int(action.fault)];
    text += action.once ? char(std::toupper(letter)) : letter;
    text += std::to_string(action.after);
  }
  return text;
}

std::string Format(const std::vector<Action>& actions) {
  std::string text;
  for (const Action& action : actions) text += (text.empty() ? "" : " ") + Format(action);
  return text;
}

bool Parse(const std::string& text, std::vector<Action>& actions) {
  std::istringstream words(text);
  std::string word;
  while (words >> word) {
    Action action;
    const std::size_t bang = word.find('!');
    if (bang != std::string::npos) {
      const std::string fault = word.substr(bang + 1);
      const char letter = fault.empty() ? ' ' : fault[0];
      const std::size_t kind = std::string(kFaultLetters).find(char(std::tolower(letter)));
      if (kind == std::string::npos || kind == 0) return false;
      action.fault = Fault(kind);
      action.once = std::isupper(letter) != 0;
      action.after = std::atoi(fault.c_str() + 1);
      word.resize(bang);
    }
    const std::size_t colon = word.find(':');
    const std::string name = word.substr(0, colon);
    int op = 0;
    while (op < int(Op::kCount) && name != kOps[op].name) ++op;
    if (op == int(Op::kCount)) return false;
    action.op = Op(op);
    if (colon != std::string::npos &&
        std::sscanf(word.c_str() + colon, ":%d:%d", &action.a, &action.b) < 1) {
      return false;
    }
    actions.push_back(action);
  }
  return true;
}

std::vector<Action> Generate(uint32_t seed, int count) {
  std::mt19937 random(seed);  // mt19937's sequence is fixed by the standard; no distributions
  int total = 0;
  for (const OpInfo& info : kOps) total += info.weight;
  std::vector<Action> actions;
  // A host begins by creating the module; most scenarios also start from a stored list.
  actions.push_back({Op::kFile, 7});
  actions.push_back({Op::kCreate, 0});
  while (int(actions.size()) < count) {
    int pick = int(random() % uint32_t(total));
    int op = 0;
    while (pick >= kOps[op].weight) pick -= kOps[op++].weight;
    Action action{Op(op)};
    if (kOps[op].aRange > 0) action.a = int(random() % uint32_t(kOps[op].aRange));
    if (kOps[op].bRange > 0) action.b = int(random() % uint32_t(kOps[op].bRange));
    if (random() % 100 < 12) {
      const uint32_t kind = random() % 12;
      action.fault = kind < 4    ? Fault::kHeap
                     : kind < 7  ? Fault::kMalloc
                     : kind < 10 ? Fault::kDiskFull
                     : kind < 11 ? Fault::kGrowing
                                 : Fault::kHook;
      action.after = int(random() % 12);
      action.once = random() % 4 == 0;
    }
    actions.push_back(action);
  }
  return actions;
}

}  // namespace tolvane::testing::scenario
