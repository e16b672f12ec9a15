// Tells the objects of windows that carry no procedure of ours that their window is about to be
// destroyed, so that they let go of it as a subclassed window's object does at WM_NCDESTROY: a
// WH_CBT hook on the thread, installed while at least one such window is watched. A window
// destroyed with its parent is not always told of itself (Wine tells only the window that
// DestroyWindow was called for), so the news of a window also reaches the watched windows inside
// it.
#pragma once

#include <windows.h>

#include <vector>

#include "framework/window_object.h"

namespace tolvane {

class DestroyWatch {
 public:
  // The watch made last is the one Instance() gives until it is deleted; there is one at a time
  // (framework_state.h).
  DestroyWatch();
  // The windows' objects have let go of them by then (their owner deletes them first), and the
  // last one to leave removed the hook.
  ~DestroyWatch();
  DestroyWatch(const DestroyWatch&) = delete;
  DestroyWatch& operator=(const DestroyWatch&) = delete;

  static DestroyWatch& Instance();

  // From now on the object's LetGoOfWindow runs just before `hwnd` or a window holding it is
  // destroyed. False (and nothing changed) when memory runs out or the hook cannot be set.
  bool AddWindow(HWND hwnd, WindowObject& object);
  void RemoveWindow(HWND hwnd);

 private:
  struct Watched {
    HWND window;
    WindowObject* object;
  };

  // Lets no exception out: the system calls it.
  static LRESULT CALLBACK HookProc(int code, WPARAM wParam, LPARAM lParam) noexcept;
  void Destroying(HWND going);

  std::vector<Watched> watched_;  // a handful: the Find dialogs' lists
  HHOOK hook_ = nullptr;
};

}  // namespace tolvane
