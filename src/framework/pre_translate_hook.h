// The thread's WH_GETMESSAGE hook: each message the thread's loop retrieves for a window that
// asked for pre-translation (or for a child of one, such as a combo box's edit field) is offered
// to that window's object before the loop translates and dispatches it. A consumed message
// becomes WM_NULL. The hook is installed while at least one window takes part.
#pragma once

#include <windows.h>

namespace tolvane {

class PreTranslateHook {
 public:
  PreTranslateHook() = default;
  PreTranslateHook(const PreTranslateHook&) = delete;
  PreTranslateHook& operator=(const PreTranslateHook&) = delete;
  // An owner that goes with the hook still installed must not leave it pointing at freed code.
  ~PreTranslateHook();

  // The hook of the installed framework state (framework_state.h).
  static PreTranslateHook& Instance();

  // False (and nothing changed) when memory runs out.
  bool AddWindow(HWND hwnd);
  void RemoveWindow(HWND hwnd);

  // The decision of the hook for one retrieved message; true when the message was consumed.
  static bool Offer(MSG& message);

 private:
  // Lets no exception out: the system calls it.
  static LRESULT CALLBACK HookProc(int code, WPARAM wParam, LPARAM lParam) noexcept;

  HHOOK hook_ = nullptr;
  int windows_ = 0;
};

}  // namespace tolvane
