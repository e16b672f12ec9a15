#include "navigate/find_options.h"

#include <algorithm>

namespace tolvane {
namespace {

struct OptionWord {
  const char* word;
  int32_t flag;
};

constexpr OptionWord kOptionWords[] = {
    {"matchforward", 0},
    {"matchbackward", kFindBackwards},
    {"matchfromstart", kFindFromStart},
    {"matchword", kFindWholeWord},
    {"matchcase", kFindMatchCase},
    {"matchregexp", kFindRegularExpression},
};

std::string LowerCase(std::string word) {
  std::transform(word.begin(), word.end(), word.begin(), [](char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
  });
  return word;
}

}  // namespace

int32_t FindFlags(const std::vector<std::string>& optionWords) {
  int32_t flags = 0;
  for (const std::string& given : optionWords) {
    const std::string word = LowerCase(given);
    for (const OptionWord& option : kOptionWords) {
      if (word == option.word) flags |= option.flag;
    }
  }
  return flags;
}

}  // namespace tolvane
