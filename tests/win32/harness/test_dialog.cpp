#include "harness/test_dialog.h"

#include <commctrl.h>

namespace tolvane::testing {
namespace {

constexpr char kClass[] = "TolvaneTestDialog";

void RegisterOnce() {
  static bool registered = false;
  if (registered) return;
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_LISTVIEW_CLASSES | ICC_STANDARD_CLASSES};
  ::InitCommonControlsEx(&controls);
  WNDCLASSA windowClass{};
  windowClass.lpfnWndProc = TestDialog::OwnProcedure();
  windowClass.hInstance = ::GetModuleHandleA(nullptr);
  windowClass.lpszClassName = kClass;
  ::RegisterClassA(&windowClass);
  registered = true;
}

}  // namespace

TestDialog::TestDialog() {
  RegisterOnce();
  hwnd_ = ::CreateWindowExA(0, kClass, "Test dialog", WS_OVERLAPPEDWINDOW, 10, 10, 600, 400,
                            nullptr, nullptr, ::GetModuleHandleA(nullptr), this);
}

TestDialog::~TestDialog() {
  if (::IsWindow(hwnd_)) ::DestroyWindow(hwnd_);
  PumpMessages();
}

HWND TestDialog::AddCombo(int controlId) {
  return ::CreateWindowExA(0, "COMBOBOX", "",
                           WS_CHILD | WS_VISIBLE | WS_VSCROLL | CBS_DROPDOWN | CBS_AUTOHSCROLL, 10,
                           10 + 30 * (controlId % 5), 200, 200, hwnd_,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(controlId)),
                           ::GetModuleHandleA(nullptr), nullptr);
}

HWND TestDialog::AddList(int controlId, DWORD extraStyle, int width, int height) {
  return ::CreateWindowExA(
      0, WC_LISTVIEWA, "", WS_CHILD | WS_VISIBLE | WS_BORDER | LVS_REPORT | extraStyle, 220, 10,
      width, height, hwnd_, reinterpret_cast<HMENU>(static_cast<INT_PTR>(controlId)),
      ::GetModuleHandleA(nullptr), nullptr);
}

int TestDialog::Count(UINT message, int code, bool anyCode) const {
  int count = 0;
  for (const DialogMessage& m : received_) {
    if (m.message == message && (anyCode || m.code == code)) ++count;
  }
  return count;
}

bool TestDialog::ReceivedCode(UINT message, int controlId, int code) const {
  for (const DialogMessage& m : received_) {
    if (m.message == message && m.fromId == UINT_PTR(controlId) && m.code == code) return true;
  }
  return false;
}

WNDPROC TestDialog::OwnProcedure() {
  return &TestDialog::Procedure;
}

LRESULT CALLBACK TestDialog::Procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* create = reinterpret_cast<CREATESTRUCTA*>(lParam);
    ::SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
  }
  auto* self = reinterpret_cast<TestDialog*>(::GetWindowLongPtrA(hwnd, GWLP_USERDATA));
  if (self != nullptr) {
    if (message == WM_NOTIFY) {
      const auto* header = reinterpret_cast<const NMHDR*>(lParam);
      self->received_.push_back({message, wParam, lParam, header->hwndFrom, header->idFrom,
                                 static_cast<int>(header->code)});
    } else if (message == WM_COMMAND && lParam != 0) {
      self->received_.push_back({message, wParam, lParam, reinterpret_cast<HWND>(lParam),
                                 LOWORD(wParam), HIWORD(wParam)});
    } else if (message >= WM_USER && message < WM_APP) {
      self->received_.push_back({message, wParam, lParam, nullptr, 0, 0});
    }
  }
  return ::DefWindowProcA(hwnd, message, wParam, lParam);
}

HWND EditFieldOf(HWND combo) {
  COMBOBOXINFO info{};
  info.cbSize = sizeof info;
  if (!::GetComboBoxInfo(combo, &info)) return nullptr;
  return info.hwndItem;
}

std::string WindowText(HWND hwnd) {
  char text[512] = {};
  ::GetWindowTextA(hwnd, text, sizeof text);
  return text;
}

void PumpMessages() {
  MSG message;
  while (::PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
    ::TranslateMessage(&message);
    ::DispatchMessageA(&message);
  }
}

}  // namespace tolvane::testing
