#include "framework/window.h"

#include "framework/code_pin.h"
#include "framework/notification_reflection.h"
#include "framework/pre_translate_hook.h"
#include "framework/window_table.h"

namespace tolvane {
namespace {

constexpr char kWindowClass[] = "TolvaneRegWnd";

HINSTANCE ThisModule() {
  HMODULE module = nullptr;
  ::GetModuleHandleExA(
      GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
      reinterpret_cast<LPCSTR>(&ThisModule), &module);
  return module;
}

void ForgetOriginalProc(HWND hwnd) {
  WindowTable& table = TheWindowTable();
  if (WindowRecord* record = table.Find(hwnd)) record->ownProcedure = nullptr;
  table.DropIfUnused(hwnd);
}

}  // namespace

CWnd::~CWnd() {
  for (WindowWatch* watch = watches_; watch != nullptr; watch = watch->next_) {
    watch->object_ = nullptr;
  }
  if (hwnd_ == nullptr) return;
  if (created_) {
    Destroy();
  } else {
    Detach();
  }
}

bool CWnd::CreateChild(HWND parent, const char* title, DWORD style, const RECT& rect,
                       int controlId) {
  // A window whose destruction a hook refused is still the object's.
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
  HWND item = ::GetDlgItem(dialog, controlId);
  if (item == nullptr || FromHandle(item) != nullptr) return false;
  // Both records first: once subclassed, the item must find its own procedure.
  WindowTable& table = TheWindowTable();
  WindowRecord* record = table.FindOrAdd(item);
  if (record == nullptr || !ReflectNotificationsOf(dialog)) {
    table.DropIfUnused(item);
    return false;
  }
  // A window whose earlier subclass of ours could not be undone keeps it: ours is still there.
  if (record->ownProcedure == nullptr) {
    record->ownProcedure = reinterpret_cast<WNDPROC>(
        ::SetWindowLongPtrA(item, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&CWnd::WindowProc)));
  }
  ownProcedure_ = record->ownProcedure;
  Bind(item);
  reflectingDialog_ = dialog;
  return true;
}

HWND CWnd::Detach() {
  HWND hwnd = hwnd_;
  if (hwnd == nullptr) return nullptr;
  // Kept in the table as well as in the object, so a window whose subclass could not be undone
  // still reaches its own procedure after the object has let go. A bound window has a record.
  WNDPROC original = TheWindowTable().Find(hwnd)->ownProcedure;
  if (original != nullptr) {
    if (::GetWindowLongPtrA(hwnd, GWLP_WNDPROC) == reinterpret_cast<LONG_PTR>(&CWnd::WindowProc)) {
      ::SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(original));
      ForgetOriginalProc(hwnd);
    } else {
      KeepCodeLoaded();  // someone's subclass over ours still calls us
    }
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
  const WindowRecord* record = TheWindowTable().Find(hwnd);
  // Only CWnd::Bind puts objects in the table.
  return record == nullptr ? nullptr : static_cast<CWnd*>(record->object);
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
  if (ownProcedure_ != nullptr) {
    return ::CallWindowProcA(ownProcedure_, hwnd_, message, wParam, lParam);
  }
  return ::DefWindowProcA(hwnd_, message, wParam, lParam);
}

LRESULT CWnd::SendToOwnProcedure(UINT message, WPARAM wParam, LPARAM lParam) {
  if (ownProcedure_ != nullptr &&
      ::GetWindowLongPtrA(hwnd_, GWLP_WNDPROC) == reinterpret_cast<LONG_PTR>(&CWnd::WindowProc)) {
    return ::CallWindowProcA(ownProcedure_, hwnd_, message, wParam, lParam);
  }
  return Send(message, wParam, lParam);
}

bool CWnd::WantPreTranslation() {
  preTranslating_ = PreTranslateHook::Instance().AddWindow(hwnd_, *this);
  return preTranslating_;
}

bool CWnd::Bind(HWND hwnd) {
  WindowRecord* record = TheWindowTable().FindOrAdd(hwnd);
  if (record == nullptr) return false;
  record->object = this;
  hwnd_ = hwnd;
  return true;
}

void CWnd::Unbind() {
  if (preTranslating_) {
    PreTranslateHook::Instance().RemoveWindow(hwnd_);
    preTranslating_ = false;
  }
  WindowTable& table = TheWindowTable();
  table.Find(hwnd_)->object = nullptr;  // bound: the window has a record
  table.DropIfUnused(hwnd_);
  if (reflectingDialog_ != nullptr) {
    StopReflectingNotificationsOf(reflectingDialog_);
    reflectingDialog_ = nullptr;
  }
  hwnd_ = nullptr;
  ownProcedure_ = nullptr;
}

WindowWatch::WindowWatch(CWnd* object) : object_(object) {
  if (object_ == nullptr) return;
  next_ = object_->watches_;
  object_->watches_ = this;
}

WindowWatch::~WindowWatch() {
  // Watches live on the stack: the one going is its object's last.
  if (object_ != nullptr) object_->watches_ = next_;
}

LRESULT CALLBACK CWnd::WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
  if (message == WM_NCCREATE) {
    auto* create = reinterpret_cast<CREATESTRUCTA*>(lParam);
    // CreateChild hands over its object, which has no window. Someone else who makes a window
    // of our class hands over none: that window is no object's.
    auto* object = static_cast<CWnd*>(create->lpCreateParams);
    // Without a record the object could never be found: the window is not made.
    if (object != nullptr && !object->Bind(hwnd)) return FALSE;
  }
  WindowRecord* record = TheWindowTable().Find(hwnd);
  // A window without a record holds nothing of ours (yet, or any more) for a subclass to bury.
  if (record != nullptr) record->itemWatch.Look(hwnd, &CWnd::WindowProc);
  auto* object = record != nullptr ? static_cast<CWnd*>(record->object) : nullptr;
  if (object == nullptr) {
    WNDPROC original = record != nullptr ? record->ownProcedure : nullptr;
    if (original != nullptr) {
      if (message == WM_NCDESTROY) ForgetOriginalProc(hwnd);
      return ::CallWindowProcA(original, hwnd, message, wParam, lParam);
    }
    return ::DefWindowProcA(hwnd, message, wParam, lParam);
  }
  // The handler may run the host's code, which can close its dialog and delete the object. Only
  // WM_NCDESTROY touches the object after its handler, so only that message is watched.
  WindowWatch watch(message == WM_NCDESTROY ? object : nullptr);
  LRESULT result = 0;
  try {
    result = object->OnMessage(message, wParam, lParam);
  } catch (...) {
    // A handler that failed (the host's code, or out of memory) answers 0; the exception cannot
    // unwind through the system's frames that called us, and the window goes on working.
    result = 0;
  }
  if (message == WM_NCDESTROY) {
    // The window is gone: undo the subclass and leave the object without a window.
    if (CWnd* alive = watch.Get()) alive->Detach();
    ForgetOriginalProc(hwnd);
  }
  return result;
}

}  // namespace tolvane
