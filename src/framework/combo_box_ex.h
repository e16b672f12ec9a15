// CComboBoxEx: a plain drop-down combo box (COMBOBOX with CBS_DROPDOWN) and its edit field.
// Once attached, the messages the thread's loop retrieves for the combo box and for its edit
// field are offered to PreTranslateMessage.
#pragma once

#include <windows.h>

#include <string>

#include "framework/window.h"

namespace tolvane {

class CComboBoxEx : public CWnd {
 public:
  // Key routing needs the combo's keys before its edit field sees them: without them (no memory
  // for the hook's list) the combo is not attached.
  bool AttachToDialogItem(HWND dialog, int controlId) override {
    if (!CWnd::AttachToDialogItem(dialog, controlId)) return false;
    if (WantPreTranslation()) return true;
    Detach();
    return false;
  }

  int AddString(const std::string& text) {
    return static_cast<int>(Send(CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str())));
  }
  int InsertString(int index, const std::string& text) {
    return static_cast<int>(
        Send(CB_INSERTSTRING, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text.c_str())));
  }
  int DeleteString(int index) {
    return static_cast<int>(Send(CB_DELETESTRING, static_cast<WPARAM>(index)));
  }
  int GetCount() const { return static_cast<int>(Send(CB_GETCOUNT)); }
  // Text of item `index`; empty when there is no such item.
  std::string GetLBText(int index) const;
  bool GetDroppedState() const { return Send(CB_GETDROPPEDSTATE) != 0; }
};

}  // namespace tolvane
