// The combo boxes of the open Find dialogs that the history add entries (3, 6, 7) act on: set by
// a dialog's init entry right after it attaches them, cleared by its close entry before it
// deletes them. Null while the dialog is not open.
#pragma once

#include "framework/combo_box_ex.h"

namespace tolvane {

struct HistoryComboSlots {
  CComboBoxEx* filename = nullptr;   // Find File combo 1021, "FilenameEditList"
  CComboBoxEx* tagParent = nullptr;  // Find Tag parent combo 1051, "TagParentEditList"
  CComboBoxEx* tag = nullptr;        // Find Tag combo 1052, "TagEditList"
};

// The single module-wide instance.
HistoryComboSlots& HistoryCombos();

}  // namespace tolvane
