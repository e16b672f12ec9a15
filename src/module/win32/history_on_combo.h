// A history list meeting a real combo box: the three steps the Find dialogs and the history add
// entries take, each a no-op on a combo object that is missing or has lost its window.
#pragma once

#include <string>

#include "framework/combo_box_ex.h"
#include "module/history_list.h"

namespace tolvane {

// Every item of the history, at the end of the drop-down list, in history order.
void FillComboFromHistory(const HistoryList& history, CComboBoxEx& combo);

// The history becomes the drop-down list's items; a combo without a window gives back nothing
// and the history stays as it was.
void CopyComboBackToHistory(CComboBoxEx* combo, HistoryList& history);

// The add rule (text to the top, at most 256 items) on an open dialog's combo box.
void AddToHistoryOnCombo(CComboBoxEx* combo, const std::string& text);

}  // namespace tolvane
