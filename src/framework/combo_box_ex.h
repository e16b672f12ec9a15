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
  // Attaches like CWnd and asks for pre-translation of the combo box's messages.
  bool AttachToDialogItem(HWND dialog, int controlId) override;

  int AddString(const std::string& text);  // at the end of the drop-down list
  int InsertString(int index, const std::string& text);
  int DeleteString(int index);
  int GetCount() const;
  // Text of item `index`; empty when there is no such item.
  std::string GetLBText(int index) const;
  bool GetDroppedState() const;
  // The edit field inside the combo box, or null.
  HWND EditField() const;
  std::string GetWindowText() const;
};

}  // namespace tolvane
