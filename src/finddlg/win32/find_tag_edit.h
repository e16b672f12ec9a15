// CFindTagEdit: a Find Tag dialog combo box (control 1051, parent name, or 1052, tag name). Keys
// typed into it steer the list (see FindTagKeyTable: page and arrow keys, Ctrl+Home / Ctrl+End
// forwarded; F5 asks the dialog with WM_USER+1); its text changes reach the dialog as NM_CHAR.
#pragma once

#include "framework/combo_box_ex.h"

namespace tolvane {

class CFindTagListCtrl;

class CFindTagEdit : public CComboBoxEx {
 public:
  ~CFindTagEdit() override = default;

  // The list this combo steers (not owned); both Find Tag combos steer the same list.
  void SetList(CFindTagListCtrl* list) { list_ = list; }

  // Override point: routes each key-down before the edit field sees it.
  bool PreTranslateMessage(MSG& message) override;
  // Override point: CBN_EDITCHANGE and CBN_SELENDOK become OnEditChange.
  bool OnReflectedNotification(UINT message, WPARAM wParam, LPARAM lParam,
                               LRESULT& result) override;

 private:
  CFindTagListCtrl* list_ = nullptr;
};

}  // namespace tolvane
