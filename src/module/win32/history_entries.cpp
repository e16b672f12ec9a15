#include "module/win32/history_entries.h"

#include "framework/combo_box_items.h"
#include "module/history_combo.h"
#include "module/win32/history_combos.h"

namespace tolvane {
namespace {

void AddToOpenCombo(CComboBoxEx* combo, const std::string& text) {
  // A combo box whose window went with its dialog is as good as closed.
  if (combo == nullptr || combo->Handle() == nullptr) return;
  ComboBoxItems items(*combo);
  AddToHistoryCombo(&items, text);
}

}  // namespace

HistoryComboSlots& HistoryCombos() {
  static HistoryComboSlots slots;
  return slots;
}

void __cdecl AddFilenameHistory(const std::string& text) {
  AddToOpenCombo(HistoryCombos().filename, text);
}

void __cdecl AddTagHistory(const std::string& text) {
  AddToOpenCombo(HistoryCombos().tag, text);
}

void __cdecl AddTagParentHistory(const std::string& text) {
  AddToOpenCombo(HistoryCombos().tagParent, text);
}

}  // namespace tolvane
