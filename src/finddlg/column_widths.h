// Column widths of a Find dialog's list, kept in the profile under LayoutSection(dialogId), one
// integer per column under the column's key.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "finddlg/column_rule.h"
#include "seams/profile.h"

namespace tolvane {

// The profile section of one dialog: "WindowPositions\ID=0x" followed by the dialog identifier
// as exactly eight lowercase hexadecimal digits: 1000 gives "WindowPositions\ID=0x000003e8". The
// backslash is part of the one section name; a profile that nests by backslash files all dialogs
// under "WindowPositions".
std::string LayoutSection(uint32_t dialogId);

// At dialog init, before the columns are inserted. availableWidth (W) is the list's client width
// minus the system's vertical scroll bar width; it may be zero or negative and is not clamped.
//  1. Reads every key in column order, each with its default computed just before the read (for a
//     share of the rest, w0 is the value just read for column 0).
//  2. Then, in column order, replaces every width that is not greater than 0 by the column's
//     replacement rule; column 0 is settled first, so later replacements use its final width.
// Returns one width per rule, in column order; the caller inserts them as they are.
std::vector<int32_t> LoadColumnWidths(Profile& profile, uint32_t dialogId, int32_t availableWidth,
                                      std::span<const ColumnRule> rules);

// At dialog close. The caller asks the list for every column's width first, then calls this,
// which writes them unclamped under their keys in column order (a width below 1 is dealt with at
// the next load). Widths beyond the rules, or rules beyond the widths, are not written.
void SaveColumnWidths(Profile& profile, uint32_t dialogId, std::span<const ColumnRule> rules,
                      std::span<const int32_t> widths);

}  // namespace tolvane
