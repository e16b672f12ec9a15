#include "finddlg/win32/find_file_edit.h"

#include "finddlg/key_routing.h"
#include "finddlg/win32/combo_key_controls.h"
#include "finddlg/win32/edit_change.h"
#include "finddlg/win32/find_file_list_ctrl.h"

namespace tolvane {

bool CFindFileEdit::PreTranslateMessage(MSG& message) {
  ComboKeyControls controls(*this, list_);
  if (RouteComboMessage(FindFileKeyTable(), message.message, message.wParam, message.lParam,
                        controls)) {
    return true;
  }
  return CComboBoxEx::PreTranslateMessage(message);
}

bool CFindFileEdit::OnReflectedNotification(UINT message, WPARAM wParam, LPARAM lParam,
                                            LRESULT& result) {
  return HandleEditChangeNotification(*this, message, wParam, lParam, result);
}

}  // namespace tolvane
