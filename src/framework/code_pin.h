// Keeps the code that holds our window procedures loaded for the rest of the process once one of
// our subclasses lies under someone else's: their procedure calls ours by its address, and
// unloading the code would leave them calling into nothing. A loader cannot be asked to keep a
// module while it is already unloading it, so the pin is taken as soon as the burial is seen.
//
// Seeing it costs a GetWindowLongPtrA, which under Wine costs more than the rest of a display
// request's way through our procedures (0.1 to 0.2 us). So a control's procedure looks at its
// first message in each tick of the system clock (about 16 ms), and so does a reflecting dialog's
// for its attached controls' notifications: the hundreds of display requests of a repaint, or of
// a host reading cell after cell, pay for one look. A dialog's other messages each look, so a
// dialog buried under the host's subclass pins the code at its next one.
#pragma once

#include <windows.h>

namespace tolvane {

bool CodeKeptLoaded();
// Further calls do nothing.
void KeepCodeLoaded();

// Pins the code when `hwnd`'s current procedure is not `ours`: someone subclassed over us.
inline void KeepCodeLoadedIfBuried(HWND hwnd, WNDPROC ours) {
  if (!CodeKeptLoaded() &&
      ::GetWindowLongPtrA(hwnd, GWLP_WNDPROC) != reinterpret_cast<LONG_PTR>(ours)) {
    KeepCodeLoaded();
  }
}

// One procedure's looks at one window: the first message looks, then the first in each later tick.
class BurialWatch {
 public:
  void Look(HWND hwnd, WNDPROC ours) {
    if (CodeKeptLoaded()) return;
    const DWORD now = ::GetTickCount();
    if (looked_ && now == lastLook_) return;
    looked_ = true;
    lastLook_ = now;
    KeepCodeLoadedIfBuried(hwnd, ours);
  }

 private:
  DWORD lastLook_ = 0;
  bool looked_ = false;
};

}  // namespace tolvane
