// The Find dialogs' combo boxes. Keys typed into one steer the dialog's list as the dialog's key
// table says (key_routing.h), and its text changes reach the dialog as NM_CHAR (dialog_messages.h).
// The two dialogs differ only in their tables: CFindFileEdit is the Find File combo (1021),
// CFindTagEdit a Find Tag combo (1051 parent name, 1052 tag name).
#pragma once

#include "finddlg/key_routing.h"
#include "framework/combo_box_ex.h"
#include "framework/list_ctrl.h"

namespace tolvane {

class CFindEdit : public CComboBoxEx {
 public:
  explicit CFindEdit(const KeyTable& keys) : keys_(keys) {}

  // The list this combo steers (not owned); both Find Tag combos steer the same list.
  void SetList(CListCtrl* list) { list_ = list; }

  // Override point: routes each key-down before the edit field sees it.
  bool PreTranslateMessage(MSG& message) override;
  // Override point: CBN_EDITCHANGE and CBN_SELENDOK each become one WM_NOTIFY NM_CHAR to the
  // dialog, which never receives those two commands.
  bool OnReflectedNotification(UINT message, WPARAM wParam, LPARAM lParam,
                               LRESULT& result) override;

 private:
  const KeyTable& keys_;
  CListCtrl* list_ = nullptr;
};

// Page and arrow keys go to the list; Ctrl+Home / Ctrl+End select its first or last row.
class CFindFileEdit final : public CFindEdit {
 public:
  CFindFileEdit() : CFindEdit(FindFileKeyTable()) {}
};

// Page and arrow keys and Ctrl+Home / Ctrl+End go to the list; F5 asks the dialog with WM_USER+1.
class CFindTagEdit final : public CFindEdit {
 public:
  CFindTagEdit() : CFindEdit(FindTagKeyTable()) {}
};

}  // namespace tolvane
