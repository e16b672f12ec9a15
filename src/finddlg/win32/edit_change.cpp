#include "finddlg/win32/edit_change.h"

// needs windows.h first
#include <commctrl.h>

#include "finddlg/dialog_messages.h"
#include "framework/window.h"

namespace tolvane {

void OnEditChange(CWnd& combo) {
  const int id = combo.ControlId();
  NMCHAR record{};
  record.hdr.hwndFrom = combo.Handle();
  record.hdr.idFrom = static_cast<UINT_PTR>(id);
  record.hdr.code = static_cast<UINT>(kNotifyCharCode);
  ::SendMessageA(combo.Parent(), WM_NOTIFY, static_cast<WPARAM>(id),
                 reinterpret_cast<LPARAM>(&record));
}

bool HandleEditChangeNotification(CWnd& combo, UINT message, WPARAM wParam, LPARAM lParam,
                                  LRESULT& result) {
  if (message != WM_COMMAND || reinterpret_cast<HWND>(lParam) != combo.Handle()) return false;
  const UINT code = HIWORD(wParam);
  if (code != kComboEditChange && code != kComboSelEndOk) return false;
  OnEditChange(combo);
  result = 0;
  return true;
}

}  // namespace tolvane
