#include "history/history_combo.h"

#include <utility>

namespace tolvane {

void FillCombo(const HistoryList& list, ComboItems& combo) {
  for (const std::string& item : list.Items()) combo.Add(item);
}

void CopyBack(ComboItems& combo, HistoryList& list) {
  // Read in full before the list changes: running out of memory half-way keeps the old list.
  HistoryList items;
  const int count = combo.Count();
  for (int i = 0; i < count; ++i) items.Append(combo.Text(i));
  list = std::move(items);
}

void AddToHistoryCombo(ComboItems* combo, const std::string& text) {
  if (combo == nullptr || text.empty()) return;
  const std::string top = combo->Count() > 0 ? combo->Text(0) : std::string();
  if (top != text) combo->Insert(0, text);
  // From the end: deleting at index 256 would move every item behind it, each time, and a
  // stored history of any length would freeze the dialog. Stops as well if a delete does not
  // shrink the combo box, rather than spin for ever.
  for (int count = combo->Count(); count > kHistoryComboLimit;) {
    combo->Delete(count - 1);
    const int after = combo->Count();
    if (after >= count) break;
    count = after;
  }
}

}  // namespace tolvane
