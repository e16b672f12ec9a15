#include "framework/pre_translate_hook.h"

namespace tolvane {
namespace {

PreTranslateHook* installed = nullptr;

}  // namespace

PreTranslateHook::PreTranslateHook() {
  installed = this;
}

PreTranslateHook::~PreTranslateHook() {
  installed = nullptr;  // the framework state owns the one instance
}

PreTranslateHook& PreTranslateHook::Instance() {
  return *installed;
}

bool PreTranslateHook::AddWindow(HWND hwnd, WindowObject& object) {
  const std::size_t before = targets_.size();
  try {
    targets_.push_back({hwnd, hwnd, &object});
    for (HWND child = ::GetWindow(hwnd, GW_CHILD); child != nullptr;
         child = ::GetWindow(child, GW_HWNDNEXT)) {
      targets_.push_back({child, hwnd, &object});
    }
  } catch (...) {  // only an allocation can fail
    targets_.resize(before);
    return false;
  }
  if (hook_ == nullptr) {
    hook_ = ::SetWindowsHookExA(WH_GETMESSAGE, &PreTranslateHook::HookProc, nullptr,
                                ::GetCurrentThreadId());
    // Without the hook the window's keys would never be offered: it is not taken on.
    if (hook_ == nullptr) {
      targets_.resize(before);
      return false;
    }
  }
  return true;
}

void PreTranslateHook::RemoveWindow(HWND hwnd) {
  std::erase_if(targets_, [hwnd](const Target& target) { return target.owner == hwnd; });
  if (targets_.empty()) {
    ::UnhookWindowsHookEx(hook_);
    hook_ = nullptr;
  }
}

bool PreTranslateHook::Offer(MSG& message) {
  WindowObject* object = nullptr;
  for (const Target& target : targets_) {
    if (target.window == message.hwnd) {
      object = target.object;
      break;
    }
  }
  // Nothing here is touched after the offer: the object may have sent the host a message whose
  // handler closed the dialog, deleting the object and its entries here.
  return object != nullptr && object->PreTranslateMessage(message);
}

LRESULT CALLBACK PreTranslateHook::HookProc(int code, WPARAM wParam, LPARAM lParam) noexcept {
  // Only a message that is taken off the queue goes on to be dispatched.
  if (code == HC_ACTION && wParam == PM_REMOVE) {
    auto* message = reinterpret_cast<MSG*>(lParam);
    bool consumed = false;
    try {
      consumed = installed->Offer(*message);
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
