// CFindFileEdit: the Find File dialog's combo box (control 1021). Keys typed into it steer the
// list (see FindFileKeyTable: page and arrow keys, Ctrl+Home / Ctrl+End select the list's first
// or last row); its text changes reach the dialog as NM_CHAR.
#pragma once

#include "framework/combo_box_ex.h"

namespace tolvane {

class CFindFileListCtrl;

class CFindFileEdit : public CComboBoxEx {
 public:
  ~CFindFileEdit() override = default;

  // The list this combo steers (not owned).
  void SetList(CFindFileListCtrl* list) { list_ = list; }

  // Override point: routes each key-down before the edit field sees it.
  bool PreTranslateMessage(MSG& message) override;
  // Override point: CBN_EDITCHANGE and CBN_SELENDOK become OnEditChange.
  bool OnReflectedNotification(UINT message, WPARAM wParam, LPARAM lParam,
                               LRESULT& result) override;

 private:
  CFindFileListCtrl* list_ = nullptr;
};

}  // namespace tolvane
