// Keeps the code that holds our window procedures loaded for the rest of the process once one of
// our subclasses lies under someone else's: their procedure calls ours by its address, and
// unloading the code would leave them calling into nothing. A loader cannot be asked to keep a
// module while it is already unloading it, so the pin is taken as soon as the burial is seen.
#pragma once

#include <windows.h>

namespace tolvane {

// True once the code is pinned.
bool CodeKeptLoaded();
// Pins the code; further calls do nothing.
void KeepCodeLoaded();

// Pins the code when `hwnd`'s current procedure is not `ours`: someone subclassed over us.
inline void KeepCodeLoadedIfBuried(HWND hwnd, WNDPROC ours) {
  if (!CodeKeptLoaded() &&
      ::GetWindowLongPtrA(hwnd, GWLP_WNDPROC) != reinterpret_cast<LONG_PTR>(ours)) {
    KeepCodeLoaded();
  }
}

}  // namespace tolvane
