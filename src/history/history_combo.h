// A history list on the combo box side: filled into the drop-down list when a dialog opens,
// copied back when it closes, and grown by the host's add entries while it is open.
#pragma once

#include <string>

#include "history/history_list.h"
#include "seams/combo_items.h"

namespace tolvane {

// After an add a combo box holds at most this many items (256, not 255 or 257). Filling and
// copying back apply no limit.
inline constexpr int kHistoryComboLimit = 256;

// Adds every item, index 0 first, at the end of the combo box's list.
void FillCombo(const HistoryList& list, ComboItems& combo);

// Replaces the list by the combo box's items, item 0 first.
void CopyBack(ComboItems& combo, HistoryList& list);

// The add entries (Find File, Find Tag parent, Find Tag): an empty text changes nothing; a text
// that differs from item 0 (exact, case-sensitive) is inserted at index 0; then, whether or not
// anything was inserted, the items from index 256 on are deleted. Older copies
// of the text further down stay. A null combo (no dialog open) makes the call do nothing.
void AddToHistoryCombo(ComboItems* combo, const std::string& text);

}  // namespace tolvane
