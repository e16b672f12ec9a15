// Real keyboard input for the tests: key-downs posted to a window's queue as the system would
// post them, and the Ctrl key held for real, so GetAsyncKeyState sees it.
#pragma once

#include <windows.h>

namespace tolvane::testing {

// The key data the system gives a first press: repeat count 1 and the key's scan code.
LPARAM KeyData(UINT virtualKey);

// Posts WM_KEYDOWN for the key to `hwnd`, with KeyData.
void PostKeyDown(HWND hwnd, UINT virtualKey);

// Ctrl pressed or released through the system's input (keybd_event); the key's own message waits
// in the queue.
void PressCtrl();
void ReleaseCtrl();

// Ctrl pressed for the object's lifetime, its messages pumped.
class HeldCtrl {
 public:
  HeldCtrl();
  ~HeldCtrl();
  HeldCtrl(const HeldCtrl&) = delete;
  HeldCtrl& operator=(const HeldCtrl&) = delete;
};

}  // namespace tolvane::testing
