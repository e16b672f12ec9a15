#include "framework/window.h"

#include "framework/notification_reflection.h"
#include "framework/pre_translate_hook.h"

namespace tolvane {
namespace {

constexpr char kObjectProperty[] = "TolvaneReg.CWnd";
// Kept apart from the object so a window whose subclass could not be undone still reaches
// its own procedure after the object has let go.
constexpr char kOriginalProcProperty[] = "TolvaneReg.OriginalProc";
constexpr char kWindowClass[] = "TolvaneRegWnd";

HINSTANCE ThisModule() {
  HMODULE module = nullptr;
  ::GetModuleHandleExA(
      GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
      reinterpret_cast<LPCSTR>(&ThisModule), &module);
  return module;
}

WNDPROC OriginalProc(HWND hwnd) {
  return reinterpret_cast<WNDPROC>(::GetPropA(hwnd, kOriginalProcProperty));
}

}  // namespace

CWnd::~CWnd() {
  if (hwnd_ == nullptr) return;
  if (created_) {
    Destroy();
  } else {
    Detach();
  }
}

bool CWnd::CreateChild(HWND parent, const char* title, DWORD style, const RECT& rect,
                       int controlId) {
  if (hwnd_ != nullptr) return false;
  HINSTANCE instance = ThisModule();
  WNDCLASSA windowClass{};
  if (!::GetClassInfoA(instance, kWindowClass, &windowClass)) {
    windowClass.lpfnWndProc = &CWnd::WindowProc;
    windowClass.hInstance = instance;
    windowClass.lpszClassName = kWindowClass;
    windowClass.hCursor = ::LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
    if (!::RegisterClassA(&windowClass)) return false;
  }
  created_ = true;
  // WindowProc binds the object at WM_NCCREATE, so the object sees every message.
  HWND hwnd =
      ::CreateWindowExA(0, kWindowClass, title, style | WS_CHILD, rect.left, rect.top,
                        rect.right - rect.left, rect.bottom - rect.top, parent,
                        reinterpret_cast<HMENU>(static_cast<INT_PTR>(controlId)), instance, this);
  if (hwnd == nullptr) {
    created_ = false;
    return false;
  }
  return true;
}

bool CWnd::AttachToDialogItem(HWND dialog, int controlId) {
  if (hwnd_ != nullptr) return false;
  HWND item = ::GetDlgItem(dialog, controlId);
  if (item == nullptr || FromHandle(item) != nullptr) return false;
  if (OriginalProc(item) == nullptr) {
    auto original = reinterpret_cast<WNDPROC>(
        ::SetWindowLongPtrA(item, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&CWnd::WindowProc)));
    ::SetPropA(item, kOriginalProcProperty, reinterpret_cast<HANDLE>(original));
  }
  Bind(item);
  reflectingDialog_ = dialog;
  ReflectNotificationsOf(dialog);
  return true;
}

HWND CWnd::Detach() {
  HWND hwnd = hwnd_;
  if (hwnd == nullptr) return nullptr;
  WNDPROC original = OriginalProc(hwnd);
  if (original != nullptr &&
      ::GetWindowLongPtrA(hwnd, GWLP_WNDPROC) == reinterpret_cast<LONG_PTR>(&CWnd::WindowProc)) {
    ::SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(original));
    ::RemovePropA(hwnd, kOriginalProcProperty);
  }
  Unbind();
  created_ = false;
  return hwnd;
}

bool CWnd::Destroy() {
  if (hwnd_ == nullptr) return false;
  // WM_NCDESTROY unbinds the object.
  return ::DestroyWindow(hwnd_) != FALSE;
}

LRESULT CWnd::Send(UINT message, WPARAM wParam, LPARAM lParam) const {
  return ::SendMessageA(hwnd_, message, wParam, lParam);
}

bool CWnd::Post(UINT message, WPARAM wParam, LPARAM lParam) const {
  return ::PostMessageA(hwnd_, message, wParam, lParam) != FALSE;
}

HWND CWnd::Parent() const {
  return ::GetParent(hwnd_);
}

int CWnd::ControlId() const {
  return ::GetDlgCtrlID(hwnd_);
}

CWnd* CWnd::FromHandle(HWND hwnd) {
  if (hwnd == nullptr) return nullptr;
  return static_cast<CWnd*>(::GetPropA(hwnd, kObjectProperty));
}

void CWnd::UnregisterWindowClass() {
  ::UnregisterClassA(kWindowClass, ThisModule());
}

bool CWnd::OnReflectedNotification(UINT, WPARAM, LPARAM, LRESULT&) {
  return false;
}

bool CWnd::PreTranslateMessage(MSG&) {
  return false;
}

LRESULT CWnd::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  return Default(message, wParam, lParam);
}

LRESULT CWnd::Default(UINT message, WPARAM wParam, LPARAM lParam) {
  WNDPROC original = OriginalProc(hwnd_);
  if (original != nullptr) return ::CallWindowProcA(original, hwnd_, message, wParam, lParam);
  return ::DefWindowProcA(hwnd_, message, wParam, lParam);
}

void CWnd::WantPreTranslation() {
  if (preTranslating_) return;
  preTranslating_ = true;
  PreTranslateHook::Instance().AddWindow(hwnd_);
}

void CWnd::Bind(HWND hwnd) {
  hwnd_ = hwnd;
  ::SetPropA(hwnd, kObjectProperty, this);
}

void CWnd::Unbind() {
  if (preTranslating_) {
    PreTranslateHook::Instance().RemoveWindow(hwnd_);
    preTranslating_ = false;
  }
  ::RemovePropA(hwnd_, kObjectProperty);
  if (reflectingDialog_ != nullptr) {
    StopReflectingNotificationsOf(reflectingDialog_);
    reflectingDialog_ = nullptr;
  }
  hwnd_ = nullptr;
}

LRESULT CALLBACK CWnd::WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* create = reinterpret_cast<CREATESTRUCTA*>(lParam);
    auto* object = static_cast<CWnd*>(create->lpCreateParams);
    if (object != nullptr && object->hwnd_ == nullptr) object->Bind(hwnd);
  }
  CWnd* object = FromHandle(hwnd);
  if (object == nullptr) {
    WNDPROC original = OriginalProc(hwnd);
    if (original != nullptr) {
      if (message == WM_NCDESTROY) ::RemovePropA(hwnd, kOriginalProcProperty);
      return ::CallWindowProcA(original, hwnd, message, wParam, lParam);
    }
    return ::DefWindowProcA(hwnd, message, wParam, lParam);
  }
  LRESULT result = object->OnMessage(message, wParam, lParam);
  if (message == WM_NCDESTROY) {
    // The window is gone: undo the subclass and leave the object without a window.
    object->Detach();
    ::RemovePropA(hwnd, kOriginalProcProperty);
  }
  return result;
}

}  // namespace tolvane
