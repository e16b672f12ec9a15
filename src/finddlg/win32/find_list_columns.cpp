#include "finddlg/win32/find_list_columns.h"

#include <vector>

#include "finddlg/column_widths.h"
#include "finddlg/dialog_controls.h"

namespace tolvane {

void SetUpFindListColumns(CListCtrl& list, Profile& profile, uint32_t dialogId,
                          std::span<const ColumnRule> rules) {
  list.SetExtendedStyle(list.GetExtendedStyle() | kFindListExtendedStyle);
  const RECT client = list.GetClientRect();
  const int32_t available = (client.right - client.left) - ::GetSystemMetrics(SM_CXVSCROLL);
  const std::vector<int32_t> widths = LoadColumnWidths(profile, dialogId, available, rules);
  for (std::size_t i = 0; i < rules.size(); ++i) {
    list.InsertColumn(rules[i].index, rules[i].heading, LVCFMT_LEFT, widths[i]);
  }
}

void SaveFindListColumns(CListCtrl& list, Profile& profile, uint32_t dialogId,
                         std::span<const ColumnRule> rules) {
  if (list.Handle() == nullptr) return;
  std::vector<int32_t> widths;
  widths.reserve(rules.size());
  for (const ColumnRule& rule : rules) widths.push_back(list.GetColumnWidth(rule.index));
  SaveColumnWidths(profile, dialogId, rules, widths);
}

}  // namespace tolvane
