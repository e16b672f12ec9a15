#include "find_host_dialog.h"

#include <commctrl.h>

namespace tolvane::testing {
namespace {

constexpr char kClass[] = "TolvaneFindHostDialog";

void RegisterOnce() {
  static bool registered = false;
  if (registered) return;
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_LISTVIEW_CLASSES | ICC_STANDARD_CLASSES};
  ::InitCommonControlsEx(&controls);
  WNDCLASSA windowClass{};
  windowClass.lpfnWndProc = &::DefWindowProcA;
  windowClass.hInstance = ::GetModuleHandleA(nullptr);
  windowClass.lpszClassName = kClass;
  ::RegisterClassA(&windowClass);
  registered = true;
}

HMENU AsMenu(int controlId) {
  return reinterpret_cast<HMENU>(static_cast<INT_PTR>(controlId));
}

}  // namespace

FindHostDialog::FindHostDialog() {
  RegisterOnce();
  hwnd_ = ::CreateWindowExA(0, kClass, "Find", WS_OVERLAPPEDWINDOW, 10, 10, 640, 420, nullptr,
                            nullptr, ::GetModuleHandleA(nullptr), nullptr);
  ::SetWindowLongPtrA(hwnd_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  ::SetWindowLongPtrA(hwnd_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Procedure));
}

FindHostDialog::~FindHostDialog() {
  if (::IsWindow(hwnd_)) ::DestroyWindow(hwnd_);
  PumpMessages();
}

HWND FindHostDialog::AddList(int controlId, int width, int height) {
  return ::CreateWindowExA(
      0, WC_LISTVIEWA, "", WS_CHILD | WS_VISIBLE | WS_BORDER | LVS_REPORT | LVS_OWNERDATA, 230, 10,
      width, height, hwnd_, AsMenu(controlId), ::GetModuleHandleA(nullptr), nullptr);
}

HWND FindHostDialog::AddCombo(int controlId) {
  return ::CreateWindowExA(0, "COMBOBOX", "",
                           WS_CHILD | WS_VISIBLE | WS_VSCROLL | CBS_DROPDOWN | CBS_AUTOHSCROLL, 10,
                           10 + 40 * (controlId % 5), 200, 200, hwnd_, AsMenu(controlId),
                           ::GetModuleHandleA(nullptr), nullptr);
}

int FindHostDialog::Count(UINT message, int code, bool anyCode) const {
  int count = 0;
  for (const DialogMessage& m : received_) {
    if (m.message == message && (anyCode || m.code == code)) ++count;
  }
  return count;
}

LRESULT CALLBACK FindHostDialog::Procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* self = reinterpret_cast<FindHostDialog*>(::GetWindowLongPtrA(hwnd, GWLP_USERDATA));
  if (self != nullptr) {
    if (message == WM_NOTIFY) {
      const auto* header = reinterpret_cast<const NMHDR*>(lParam);
      self->received_.push_back({message, wParam, lParam, header->hwndFrom, header->idFrom,
                                 static_cast<int>(header->code)});
    } else if (message == WM_COMMAND && lParam != 0) {
      self->received_.push_back({message, wParam, lParam, reinterpret_cast<HWND>(lParam),
                                 LOWORD(wParam), HIWORD(wParam)});
    } else if (message >= WM_USER && message < 0x8000) {
      self->received_.push_back({message, wParam, lParam, nullptr, 0, 0});
    }
  }
  return ::DefWindowProcA(hwnd, message, wParam, lParam);
}

}  // namespace tolvane::testing
