#include "framework/pre_translate_hook.h"

#include "framework/window.h"

namespace tolvane {
namespace {

constexpr char kPreTranslateProperty[] = "TolvaneReg.PreTranslate";

CWnd* PreTranslatingObject(HWND hwnd) {
  if (hwnd == nullptr || ::GetPropA(hwnd, kPreTranslateProperty) == nullptr) return nullptr;
  return CWnd::FromHandle(hwnd);
}

}  // namespace

PreTranslateHook& PreTranslateHook::Instance() {
  static PreTranslateHook instance;
  return instance;
}

PreTranslateHook::~PreTranslateHook() {
  if (hook_ != nullptr) ::UnhookWindowsHookEx(hook_);
}

void PreTranslateHook::AddWindow(HWND hwnd) {
  ::SetPropA(hwnd, kPreTranslateProperty, reinterpret_cast<HANDLE>(1));
  if (windows_++ == 0) {
    hook_ = ::SetWindowsHookExA(WH_GETMESSAGE, &PreTranslateHook::HookProc, nullptr,
                                ::GetCurrentThreadId());
  }
}

void PreTranslateHook::RemoveWindow(HWND hwnd) {
  ::RemovePropA(hwnd, kPreTranslateProperty);
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
  return target != nullptr && target->PreTranslateMessage(message);
}

LRESULT CALLBACK PreTranslateHook::HookProc(int code, WPARAM wParam, LPARAM lParam) {
  // Only a message that is taken off the queue goes on to be dispatched.
  if (code == HC_ACTION && wParam == PM_REMOVE) {
    auto* message = reinterpret_cast<MSG*>(lParam);
    if (Offer(*message)) {
      message->message = WM_NULL;
      message->wParam = 0;
      message->lParam = 0;
    }
  }
  return ::CallNextHookEx(nullptr, code, wParam, lParam);
}

}  // namespace tolvane
