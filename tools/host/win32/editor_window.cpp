#include "editor_window.h"

#include <algorithm>
#include <fstream>
#include <sstream>

namespace tolvane::host {

namespace {

constexpr wchar_t kClassName[] = L"TolvaneHostMain";
constexpr int kEditId = 100;

HMENU BuildMenu() {
  HMENU find = ::CreatePopupMenu();
  ::AppendMenuW(find, MF_STRING, kCommandFindFile, L"Find &File...\tCtrl+Shift+O");
  ::AppendMenuW(find, MF_STRING, kCommandFindTag, L"Find &Tag...\tCtrl+Shift+T");
  ::AppendMenuW(find, MF_STRING, kCommandLastTag, L"&Last Tag\tCtrl+Shift+L");
  ::AppendMenuW(find, MF_SEPARATOR, 0, nullptr);
  ::AppendMenuW(find, MF_STRING, kCommandExit, L"E&xit");
  HMENU bar = ::CreateMenu();
  ::AppendMenuW(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(find), L"&Find");
  return bar;
}

HACCEL BuildAccelerators() {
  ACCEL keys[] = {
      {FVIRTKEY | FCONTROL | FSHIFT, 'O', kCommandFindFile},
      {FVIRTKEY | FCONTROL | FSHIFT, 'T', kCommandFindTag},
      {FVIRTKEY | FCONTROL | FSHIFT, 'L', kCommandLastTag},
  };
  return ::CreateAcceleratorTableW(keys, int(std::size(keys)));
}

}  // namespace

bool EditorWindow::Create(HINSTANCE instance) {
  WNDCLASSEXW windowClass{};
  windowClass.cbSize = sizeof windowClass;
  windowClass.lpfnWndProc = WindowProc;
  windowClass.hInstance = instance;
  windowClass.hCursor = ::LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
  windowClass.lpszClassName = kClassName;
  ::RegisterClassExW(&windowClass);
  window_ = ::CreateWindowExW(0, kClassName, L"Tolvane host", WS_OVERLAPPEDWINDOW, 0, 0, 900, 640,
                              nullptr, BuildMenu(), instance, this);
  if (window_ == nullptr) return false;
  accelerators_ = BuildAccelerators();
  ::ShowWindow(window_, SW_SHOW);
  ::UpdateWindow(window_);
  return true;
}

LRESULT CALLBACK EditorWindow::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* create = reinterpret_cast<CREATESTRUCTW*>(lParam);
    ::SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    static_cast<EditorWindow*>(create->lpCreateParams)->window_ = window;
  }
  auto* self = reinterpret_cast<EditorWindow*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
  if (self == nullptr) return ::DefWindowProcW(window, message, wParam, lParam);
  return self->Handle(message, wParam, lParam);
}

LRESULT EditorWindow::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CREATE:
      edit_ = ::CreateWindowExW(WS_EX_CLIENTEDGE, L"EDIT", L"",
                                WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_HSCROLL | ES_MULTILINE |
                                    ES_READONLY | ES_AUTOVSCROLL | ES_AUTOHSCROLL | ES_NOHIDESEL,
                                0, 0, 0, 0, window_, reinterpret_cast<HMENU>(kEditId), nullptr,
                                nullptr);
      font_ = ::CreateFontW(-14, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                            OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                            FIXED_PITCH | FF_MODERN, L"Courier New");
      ::SendMessageW(edit_, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
      // The default limit of a multi-line edit control is far below a large source file.
      ::SendMessageW(edit_, EM_SETLIMITTEXT, 0x7FFFFFFE, 0);
      return 0;
    case WM_SIZE:
      ::MoveWindow(edit_, 0, 0, LOWORD(lParam), HIWORD(lParam), TRUE);
      return 0;
    case WM_SETFOCUS:
      ::SetFocus(edit_);
      return 0;
    case WM_COMMAND:
      if (lParam == 0 && onCommand_) {
        onCommand_(LOWORD(wParam));
        return 0;
      }
      break;
    case WM_CLOSE:
      if (onCommand_) {
        onCommand_(kCommandExit);
        return 0;
      }
      break;
    case WM_DESTROY:
      if (font_ != nullptr) ::DeleteObject(font_);
      font_ = nullptr;
      return 0;
  }
  return ::DefWindowProcW(window_, message, wParam, lParam);
}

bool EditorWindow::OpenFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  std::ostringstream content;
  content << in.rdbuf();
  buffer_.Assign(content.str());
  currentFile_ = path;
  range_ = {};

  std::string shown;
  shown.reserve(buffer_.Text().size() + std::size_t(buffer_.LineCount()));
  for (char c : buffer_.Text()) {
    if (c == '\n') shown += '\r';
    shown += c == '\0' ? ' ' : c;
  }
  ::SetWindowTextA(edit_, shown.c_str());
  ::SetWindowTextA(window_, ("Tolvane host - " + path).c_str());
  ::SendMessageW(edit_, EM_SETSEL, 0, 0);
  ::SendMessageW(edit_, EM_SCROLLCARET, 0, 0);
  return true;
}

WPARAM EditorWindow::EditOffset(std::size_t offset) const {
  offset = std::min(offset, buffer_.Text().size());
  return WPARAM(offset + std::size_t(buffer_.LineOf(offset) - 1));
}

void EditorWindow::Select(CaretRange range) {
  range_ = range;
  // The edit control puts its caret at the second position, as the automation model wants.
  ::SendMessageW(edit_, EM_SETSEL, EditOffset(range.anchor), LPARAM(EditOffset(range.active)));
}

void EditorWindow::ScrollLineToMiddle(int32_t line) {
  RECT client{};
  ::GetClientRect(edit_, &client);
  HDC dc = ::GetDC(edit_);
  HGDIOBJ old = ::SelectObject(dc, font_);
  TEXTMETRICW metrics{};
  ::GetTextMetricsW(dc, &metrics);
  ::SelectObject(dc, old);
  ::ReleaseDC(edit_, dc);
  const int lineHeight = std::max<int>(1, metrics.tmHeight);
  const int visible = std::max<int>(1, (client.bottom - client.top) / lineHeight);
  const int first = int(::SendMessageW(edit_, EM_GETFIRSTVISIBLELINE, 0, 0));
  const int wanted = std::max(0, (line - 1) - visible / 2);
  ::SendMessageW(edit_, EM_LINESCROLL, 0, wanted - first);
}

int32_t EditorWindow::CaretLine() const {
  // -1 asks for the caret's line (or the selection's first line, the same line here).
  return int32_t(::SendMessageW(edit_, EM_LINEFROMCHAR, WPARAM(-1), 0)) + 1;
}

}  // namespace tolvane::host
