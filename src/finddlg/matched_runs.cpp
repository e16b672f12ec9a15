#include "finddlg/matched_runs.h"

namespace tolvane {

uint32_t FindMatchedRuns(std::string_view query, std::string_view text, FuzzyEncoding encoding,
                         std::span<MatchedRun, kMaxMatchedRuns> runs) {
  uint32_t positions[kFuzzyMaxQuery];
  uint32_t count = 0;
  int32_t score = 0;
  const auto textLength = static_cast<uint32_t>(text.size());
  if (!FuzzyMatch(query.data(), static_cast<uint32_t>(query.size()), text.data(), textLength,
                  encoding, &score, positions, &count)) {
    return 0;
  }
  const auto* bytes = reinterpret_cast<const unsigned char*>(text.data());
  uint32_t runCount = 0;
  for (uint32_t i = 0; i < count; ++i) {
    const uint32_t begin = positions[i];
    // The character's length as the matcher reads it, so that a run ends where it ends.
    uint32_t size = 1;
    fuzzy_detail::Decode(bytes + begin, textLength - begin, encoding, &size);
    if (runCount > 0 && runs[runCount - 1].end == begin) {
      runs[runCount - 1].end = begin + size;
    } else {
      runs[runCount++] = MatchedRun{begin, begin + size};
    }
  }
  return runCount;
}

}  // namespace tolvane
