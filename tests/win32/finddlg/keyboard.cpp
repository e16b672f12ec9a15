#include "keyboard.h"

#include "harness/test_dialog.h"

namespace tolvane::testing {

LPARAM KeyData(UINT virtualKey) {
  const UINT scanCode = ::MapVirtualKeyA(virtualKey, MAPVK_VK_TO_VSC);
  return static_cast<LPARAM>(1u | (scanCode << 16));
}

void PostKeyDown(HWND hwnd, UINT virtualKey) {
  ::PostMessageA(hwnd, WM_KEYDOWN, virtualKey, KeyData(virtualKey));
}

void PressCtrl() {
  ::keybd_event(VK_CONTROL, static_cast<BYTE>(::MapVirtualKeyA(VK_CONTROL, MAPVK_VK_TO_VSC)), 0, 0);
}

void ReleaseCtrl() {
  ::keybd_event(VK_CONTROL, static_cast<BYTE>(::MapVirtualKeyA(VK_CONTROL, MAPVK_VK_TO_VSC)),
                KEYEVENTF_KEYUP, 0);
}

HeldCtrl::HeldCtrl() {
  PressCtrl();
  PumpMessages();
}

HeldCtrl::~HeldCtrl() {
  ReleaseCtrl();
  PumpMessages();
}

}  // namespace tolvane::testing
