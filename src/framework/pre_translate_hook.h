// The thread's WH_GETMESSAGE hook: each message the thread's loop retrieves for a window that
// asked for pre-translation, or for a window that was its child when it asked (a combo box's edit
// field), is offered to that window's object before the loop translates and dispatches it. A
// consumed message becomes WM_NULL. The hook is installed while at least one window takes part.
#pragma once

#include <windows.h>

#include <vector>

#include "framework/window_object.h"

namespace tolvane {

class PreTranslateHook {
 public:
  // The hook made last is the one Instance() gives until it is deleted; there is one at a time
  // (framework_state.h).
  PreTranslateHook();
  // The windows' objects have let go of them by then (their owner deletes them first), and the
  // last one to leave removed the hook.
  ~PreTranslateHook();
  PreTranslateHook(const PreTranslateHook&) = delete;
  PreTranslateHook& operator=(const PreTranslateHook&) = delete;

  static PreTranslateHook& Instance();

  // False (and nothing changed) when memory runs out or the system refuses the hook.
  bool AddWindow(HWND hwnd, WindowObject& object);
  // Forgets a window that takes part and the children recorded with it (found by their owner: at
  // the window's end they are already gone).
  void RemoveWindow(HWND hwnd);

 private:
  struct Target {
    HWND window;  // the window taking part, or a child of it
    HWND owner;   // the window taking part
    WindowObject* object;
  };

  // Lets no exception out: the system calls it.
  static LRESULT CALLBACK HookProc(int code, WPARAM wParam, LPARAM lParam) noexcept;
  // True when the object the message is for consumed it.
  bool Offer(MSG& message);

  // A handful of windows: a scan for each retrieved message costs less than hashing, and nothing
  // is asked of the system (its parent) for the windows that take no part.
  std::vector<Target> targets_;
  HHOOK hook_ = nullptr;
};

}  // namespace tolvane
