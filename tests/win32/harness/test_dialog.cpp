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

// A dialog box without items (they are added as child windows); no menu, class or title.
struct EmptyDialogTemplate {
  DLGTEMPLATE header;
  WORD menu;
  WORD windowClass;
  WORD title;
};

}  // namespace

TestDialog::TestDialog(Charset charset) : unicode_(charset == Charset::kUnicode) {
  RegisterOnce();
  if (!unicode_) {
    hwnd_ = ::CreateWindowExA(0, kClass, "Test dialog", WS_OVERLAPPEDWINDOW, 10, 10, 600, 400,
                              nullptr, nullptr, ::GetModuleHandleA(nullptr), this);
    return;
  }
  alignas(DWORD) EmptyDialogTemplate dialogTemplate{};
  dialogTemplate.header.style = WS_POPUP | WS_CAPTION | WS_SYSMENU;
  dialogTemplate.header.x = 10;
  dialogTemplate.header.y = 10;
  dialogTemplate.header.cx = 400;
  dialogTemplate.header.cy = 270;
  hwnd_ =
      ::CreateDialogIndirectParamW(::GetModuleHandleW(nullptr), &dialogTemplate.header, nullptr,
                                   &TestDialog::DialogProcedure, reinterpret_cast<LPARAM>(this));
}

TestDialog::~TestDialog() {
  if (::IsWindow(hwnd_)) ::DestroyWindow(hwnd_);
  PumpMessages();
}

HWND TestDialog::AddCombo(int controlId) {
  const DWORD style = WS_CHILD | WS_VISIBLE | WS_VSCROLL | CBS_DROPDOWN | CBS_AUTOHSCROLL;
  const int y = 10 + 30 * (controlId % 5);
  auto* id = reinterpret_cast<HMENU>(static_cast<INT_PTR>(controlId));
  if (unicode_) {
    return ::CreateWindowExW(0, L"COMBOBOX", L"", style, 10, y, 200, 200, hwnd_, id,
                             ::GetModuleHandleW(nullptr), nullptr);
  }
  return ::CreateWindowExA(0, "COMBOBOX", "", style, 10, y, 200, 200, hwnd_, id,
                           ::GetModuleHandleA(nullptr), nullptr);
}

HWND TestDialog::AddList(int controlId, DWORD extraStyle, int width, int height) {
  const DWORD style = WS_CHILD | WS_VISIBLE | WS_BORDER | LVS_REPORT | extraStyle;
  auto* id = reinterpret_cast<HMENU>(static_cast<INT_PTR>(controlId));
  if (unicode_) {
    return ::CreateWindowExW(0, WC_LISTVIEWW, L"", style, 220, 10, width, height, hwnd_, id,
                             ::GetModuleHandleW(nullptr), nullptr);
  }
  return ::CreateWindowExA(0, WC_LISTVIEWA, "", style, 220, 10, width, height, hwnd_, id,
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
  if (self != nullptr) self->Record(message, wParam, lParam);
  return ::DefWindowProcA(hwnd, message, wParam, lParam);
}

INT_PTR CALLBACK TestDialog::DialogProcedure(HWND hwnd, UINT message, WPARAM wParam,
                                             LPARAM lParam) {
  if (message == WM_INITDIALOG) {
    ::SetWindowLongPtrW(hwnd, GWLP_USERDATA, lParam);
    return TRUE;
  }
  auto* self = reinterpret_cast<TestDialog*>(::GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  if (self != nullptr) self->Record(message, wParam, lParam);
  return FALSE;  // the dialog box's own handling
}

void TestDialog::Record(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NOTIFY) {
    const auto* header = reinterpret_cast<const NMHDR*>(lParam);
    received_.push_back({message, wParam, lParam, header->hwndFrom, header->idFrom,
                         static_cast<int>(header->code)});
  } else if (message == WM_COMMAND && lParam != 0) {
    received_.push_back(
        {message, wParam, lParam, reinterpret_cast<HWND>(lParam), LOWORD(wParam), HIWORD(wParam)});
  } else if (message >= WM_USER && message < WM_APP) {
    received_.push_back({message, wParam, lParam, nullptr, 0, 0});
  }
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
