#include "framework/pre_translate_hook.h"

#include "framework/window.h"
#include "framework/window_table.h"

namespace tolvane {
namespace {

// Runs for every message the thread retrieves: one table lookup, no call into the system.
CWnd* PreTranslatingObject(HWND hwnd) {
  const WindowRecord* record = Windows().Find(hwnd);
  return record != nullptr && record->preTranslating ? record->object : nullptr;
}

}  // namespace

PreTranslateHook::~PreTranslateHook() {
  if (hook_ != nullptr) ::UnhookWindowsHookEx(hook_);
}

bool PreTranslateHook::AddWindow(HWND hwnd) {
  WindowRecord* record = Windows().FindOrAdd(hwnd);
  if (record == nullptr) return false;
  record->preTranslating = true;
  if (windows_++ == 0) {
    hook_ = ::SetWindowsHookExA(WH_GETMESSAGE, &PreTranslateHook::HookProc, nullptr,
                                ::GetCurrentThreadId());
  }
  return true;
}

void PreTranslateHook::RemoveWindow(HWND hwnd) {
  if (WindowRecord* record = Windows().Find(hwnd)) record->preTranslating = false;
  Windows().DropIfUnused(hwnd);
  if (windows_ > 0 && --windows_ == 0 && hook_ != nullptr) {
    ::UnhookWindowsHookEx(hook_);
    hook_ = nullptr;
  }
}

bool PreTranslateHook::Offer(MSG& message) {
  CWnd* target = PreTranslatingObject(message.hwnd);
  if (target == nullptr && message.hwnd != nullptr) {
    target = PreTranslatingObject(::GetParent(message.hwnd));
  }
  // Nothing here is touched after the offer: the object may have sent the host a message whose
  // handler closed the dialog, deleting the object and its window's record.
  return target != nullptr && target->PreTranslateMessage(message);
}

LRESULT CALLBACK PreTranslateHook::HookProc(int code, WPARAM wParam, LPARAM lParam) noexcept {
  // Only a message that is taken off the queue goes on to be dispatched.
  if (code == HC_ACTION && wParam == PM_REMOVE) {
    auto* message = reinterpret_cast<MSG*>(lParam);
    bool consumed = false;
    try {
      consumed = Offer(*message);
    } catch (...) {
      // No exception may unwind into the system's frames: a message whose pre-translation
      // failed goes on to its normal processing.
      consumed = false;
    }
    if (consumed) {
      message->message = WM_NULL;
      message->wParam = 0;
      message->lParam = 0;
    }
  }
  return ::CallNextHookEx(nullptr, code, wParam, lParam);
}

}  // namespace tolvane
