#include "module/win32/history_on_combo.h"

#include "framework/combo_box_items.h"
#include "module/history_combo.h"

namespace tolvane {
namespace {

// A combo box whose window went with its dialog is as good as closed.
bool IsOpen(const CComboBoxEx* combo) {
  return combo != nullptr && combo->Handle() != nullptr;
}

}  // namespace

void FillComboFromHistory(const HistoryList& history, CComboBoxEx& combo) {
  ComboBoxItems items(combo);
  FillCombo(history, items);
}

void CopyComboBackToHistory(CComboBoxEx* combo, HistoryList& history) {
  if (!IsOpen(combo)) return;
  ComboBoxItems items(*combo);
  CopyBack(items, history);
}

void AddToHistoryOnCombo(CComboBoxEx* combo, const std::string& text) {
  if (!IsOpen(combo)) return;
  ComboBoxItems items(*combo);
  AddToHistoryCombo(&items, text);
}

}  // namespace tolvane
