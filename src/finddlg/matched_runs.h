// Where the typed text matched a cell's text, for a Find list that highlights matches: the
// characters FuzzyMatch picked, as runs of adjacent matched characters, each run whole characters
// (a UTF-8 character's bytes stay together).
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

#include "tolvane/fuzzy_match.h"

namespace tolvane {

struct MatchedRun {
  uint32_t begin;  // bytes [begin, end) of the cell's text
  uint32_t end;
};

// At most one run per query character.
inline constexpr uint32_t kMaxMatchedRuns = kFuzzyMaxQuery;

// Fills `runs` in text order and returns how many; 0 when the query is empty or does not match.
uint32_t FindMatchedRuns(std::string_view query, std::string_view text, FuzzyEncoding encoding,
                         std::span<MatchedRun, kMaxMatchedRuns> runs);

}  // namespace tolvane
