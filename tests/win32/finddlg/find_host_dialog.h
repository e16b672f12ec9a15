// A window standing in for the host's Find File or Find Tag dialog: real controls by identifier
// (an owner-data report list, drop-down combo boxes) and a record of what its own procedure
// receives from them.
#pragma once

#include <windows.h>

#include <vector>

#include "harness/test_dialog.h"

namespace tolvane::testing {

struct DialogMessage {
  UINT message;  // WM_NOTIFY, WM_COMMAND or a message from WM_USER on
  WPARAM wParam;
  LPARAM lParam;
  HWND from;        // WM_NOTIFY: hwndFrom; WM_COMMAND: the control
  UINT_PTR fromId;  // WM_NOTIFY: idFrom; WM_COMMAND: LOWORD(wParam)
  int code;         // WM_NOTIFY: code; WM_COMMAND: HIWORD(wParam)
};

class FindHostDialog {
 public:
  FindHostDialog();
  ~FindHostDialog();
  FindHostDialog(const FindHostDialog&) = delete;
  FindHostDialog& operator=(const FindHostDialog&) = delete;

  HWND Handle() const { return hwnd_; }
  // A report-view list with LVS_OWNERDATA: the host sets its row count.
  HWND AddList(int controlId, int width = 360, int height = 200);
  // A COMBOBOX with CBS_DROPDOWN (an edit field).
  HWND AddCombo(int controlId);

  const std::vector<DialogMessage>& Received() const { return received_; }
  void ClearReceived() { received_.clear(); }
  // How many messages of this kind arrived (code ignored when anyCode).
  int Count(UINT message, int code, bool anyCode = false) const;
  int Count(UINT message, UINT code) const { return Count(message, static_cast<int>(code)); }

 private:
  static LRESULT CALLBACK Procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  HWND hwnd_ = nullptr;
  std::vector<DialogMessage> received_;
};

// PumpMessages (harness/test_dialog.h) runs the host's loop: PeekMessage, TranslateMessage,
// DispatchMessage, so the module's message hook sees every message.

}  // namespace tolvane::testing
