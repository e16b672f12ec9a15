#include "framework/destroy_watch.h"

#include <algorithm>

namespace tolvane {
namespace {

DestroyWatch* installed = nullptr;

}  // namespace

DestroyWatch::DestroyWatch() {
  installed = this;
}

DestroyWatch::~DestroyWatch() {
  installed = nullptr;  // the framework state owns the one instance
}

DestroyWatch& DestroyWatch::Instance() {
  return *installed;
}

bool DestroyWatch::AddWindow(HWND hwnd, WindowObject& object) {
  try {
    watched_.push_back({hwnd, &object});
  } catch (...) {  // only an allocation can fail
    return false;
  }
  if (hook_ == nullptr) {
    hook_ = ::SetWindowsHookExA(WH_CBT, &DestroyWatch::HookProc, nullptr, ::GetCurrentThreadId());
    if (hook_ == nullptr) {
      watched_.pop_back();
      return false;
    }
  }
  return true;
}

void DestroyWatch::RemoveWindow(HWND hwnd) {
  std::erase_if(watched_, [hwnd](const Watched& entry) { return entry.window == hwnd; });
  if (watched_.empty() && hook_ != nullptr) {
    ::UnhookWindowsHookEx(hook_);
    hook_ = nullptr;
  }
}

void DestroyWatch::Destroying(HWND going) {
  // Letting go removes the window from the watch, so the search starts over after each one.
  for (;;) {
    const auto inside =
        std::find_if(watched_.begin(), watched_.end(), [going](const Watched& entry) {
          return entry.window == going || ::IsChild(going, entry.window);
        });
    if (inside == watched_.end()) return;
    WindowObject* object = inside->object;
    const HWND window = inside->window;
    object->LetGoOfWindow();
    RemoveWindow(window);  // in case the object kept it
  }
}

LRESULT CALLBACK DestroyWatch::HookProc(int code, WPARAM wParam, LPARAM lParam) noexcept {
  const LRESULT result = ::CallNextHookEx(nullptr, code, wParam, lParam);
  // A hook further on may keep the window; only a destruction that goes ahead lets go of it.
  // The hook exists only while the watch does. Letting go throws nothing (no exception may
  // unwind into the system's frames).
  if (code == HCBT_DESTROYWND && result == 0) installed->Destroying(reinterpret_cast<HWND>(wParam));
  return result;
}

}  // namespace tolvane
