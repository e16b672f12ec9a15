// A top-level window standing in for a host dialog: real child controls by identifier, and a
// record of every WM_COMMAND and WM_NOTIFY its own procedure receives.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace tolvane::testing {

struct ReceivedNotification {
  UINT message;  // WM_COMMAND or WM_NOTIFY
  int controlId;
  int code;  // notification code (HIWORD of wParam for WM_COMMAND)
};

class TestDialog {
 public:
  TestDialog();
  ~TestDialog();
  TestDialog(const TestDialog&) = delete;
  TestDialog& operator=(const TestDialog&) = delete;

  HWND Handle() const { return hwnd_; }
  // A drop-down combo box (COMBOBOX, CBS_DROPDOWN) with an edit field.
  HWND AddCombo(int controlId);
  // A report-view list-view control.
  HWND AddList(int controlId, DWORD extraStyle = 0);

  const std::vector<ReceivedNotification>& Received() const { return received_; }
  std::vector<UINT> OtherMessages() const { return others_; }
  bool ReceivedCode(UINT message, int controlId, int code) const;
  // The window procedure the dialog was created with.
  static WNDPROC OwnProcedure();

 private:
  static LRESULT CALLBACK Procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  HWND hwnd_ = nullptr;
  std::vector<ReceivedNotification> received_;
  std::vector<UINT> others_;
};

// Dispatches everything queued for this thread, as a host's message loop would.
void PumpMessages();

// The edit field inside a drop-down combo box, or null.
HWND EditFieldOf(HWND combo);
// The window's text.
std::string WindowText(HWND hwnd);

}  // namespace tolvane::testing
