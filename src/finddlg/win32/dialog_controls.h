// The controls of the host's two Find dialogs, as the module finds and sets them up.
#pragma once

#include <windows.h>

// needs windows.h first
#include <commctrl.h>

namespace tolvane {

inline constexpr int kFindFileListId = 1020;
inline constexpr int kFindFileComboId = 1021;  // history "FilenameEditList"
inline constexpr int kFindTagListId = 1050;
inline constexpr int kFindTagParentComboId = 1051;  // history "TagParentEditList"
inline constexpr int kFindTagComboId = 1052;        // history "TagEditList"

// With highlighting on, the columns whose cells show where a combo box's text matched. A file
// name's query may end in a line number ("widget.cpp:120"), which is no part of what matches.
struct MatchedColumn {
  int column;
  int comboId;
  bool lineSuffix;
};
inline constexpr MatchedColumn kFindFileMatchedColumns[] = {{0, kFindFileComboId, true}};
inline constexpr MatchedColumn kFindTagMatchedColumns[] = {{2, kFindTagParentComboId, false},
                                                           {3, kFindTagComboId, false}};

// Extended list styles both dialogs add at init, other bits kept.
inline constexpr DWORD kFindListExtendedStyle = LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES;

}  // namespace tolvane
