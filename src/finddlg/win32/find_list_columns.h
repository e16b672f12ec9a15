// The column half of a Find dialog's init and close entries, over the column layout store.
#pragma once

#include <cstdint>
#include <span>

#include "finddlg/column_rule.h"
#include "framework/list_ctrl.h"
#include "seams/profile.h"

namespace tolvane {

// Init: adds full-row selection and grid lines to the list's extended style (other bits kept),
// measures W (client width minus the vertical scroll bar's width) before any column exists,
// loads the widths and inserts every column left-aligned with its heading and width.
void SetUpFindListColumns(CListCtrl& list, Profile& profile, uint32_t dialogId,
                          std::span<const ColumnRule> rules);

// Close: asks the list for every column's width first, then writes them under the dialog's
// section. A list without a window has no widths to give; it writes nothing rather than zeros.
void SaveFindListColumns(CListCtrl& list, Profile& profile, uint32_t dialogId,
                         std::span<const ColumnRule> rules);

}  // namespace tolvane
