// The controls of the host's two Find dialogs, as the module finds and sets them up.
#pragma once

#include <cstdint>

namespace tolvane {

inline constexpr int kFindFileListId = 1020;
inline constexpr int kFindFileComboId = 1021;  // history "FilenameEditList"
inline constexpr int kFindTagListId = 1050;
inline constexpr int kFindTagParentComboId = 1051;  // history "TagParentEditList"
inline constexpr int kFindTagComboId = 1052;        // history "TagEditList"

// Extended list styles both dialogs add at init, other bits kept: full-row selection (0x20) and
// grid lines (0x01).
inline constexpr uint32_t kFindListExtendedStyle = 0x21;

}  // namespace tolvane
