// The option words of a text search and the flags of the editor's find operation they stand for.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace tolvane {

inline constexpr int32_t kFindWholeWord = 0x2;
inline constexpr int32_t kFindMatchCase = 0x4;
inline constexpr int32_t kFindRegularExpression = 0x8;
inline constexpr int32_t kFindBackwards = 0x80;
inline constexpr int32_t kFindFromStart = 0x100;

// "matchforward" (0), "matchbackward", "matchfromstart", "matchword", "matchcase",
// "matchregexp", in any letter case; other words add nothing.
int32_t FindFlags(const std::vector<std::string>& optionWords);

}  // namespace tolvane
