// A top-level window standing in for a host dialog: real child controls by identifier (drop-down
// combo boxes, report lists) and a record of what its own procedure receives from them. A Unicode
// one is a real dialog box (#32770, made from a template with the W functions) whose controls are
// made with the W functions too, as a host's Unicode dialog: its lists ask with LVN_GETDISPINFOW.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace tolvane::testing {

struct DialogMessage {
  UINT message;  // WM_NOTIFY, WM_COMMAND or a message from WM_USER up to WM_APP
  WPARAM wParam;
  LPARAM lParam;
  HWND from;        // WM_NOTIFY: hwndFrom; WM_COMMAND: the control
  UINT_PTR fromId;  // WM_NOTIFY: idFrom; WM_COMMAND: LOWORD(wParam)
  int code;         // WM_NOTIFY: code; WM_COMMAND: HIWORD(wParam)
};

class TestDialog {
 public:
  enum class Charset { kAnsi, kUnicode };
  explicit TestDialog(Charset charset = Charset::kAnsi);
  ~TestDialog();
  TestDialog(const TestDialog&) = delete;
  TestDialog& operator=(const TestDialog&) = delete;

  HWND Handle() const { return hwnd_; }
  // A drop-down combo box (COMBOBOX, CBS_DROPDOWN) with an edit field.
  HWND AddCombo(int controlId);
  // A report-view list-view control (LVS_OWNERDATA in extraStyle: the host sets its row count).
  HWND AddList(int controlId, DWORD extraStyle = 0, int width = 360, int height = 200);

  const std::vector<DialogMessage>& Received() const { return received_; }
  void ClearReceived() { received_.clear(); }
  // How many messages of this kind arrived (code ignored when anyCode).
  int Count(UINT message, int code, bool anyCode = false) const;
  int Count(UINT message, UINT code) const { return Count(message, static_cast<int>(code)); }
  bool ReceivedCode(UINT message, int controlId, int code) const;
  // The window procedure the dialog was created with.
  static WNDPROC OwnProcedure();

 private:
  static LRESULT CALLBACK Procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  static INT_PTR CALLBACK DialogProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  void Record(UINT message, WPARAM wParam, LPARAM lParam);
  bool unicode_;
  HWND hwnd_ = nullptr;
  std::vector<DialogMessage> received_;
};

// Dispatches everything queued for this thread, as a host's message loop would (PeekMessage,
// TranslateMessage, DispatchMessage), so the module's message hook sees every message.
void PumpMessages();

// The edit field inside a drop-down combo box, or null.
HWND EditFieldOf(HWND combo);
// The window's text.
std::string WindowText(HWND hwnd);

}  // namespace tolvane::testing
