#include "harness/destruction_refusal.h"

namespace tolvane::testing {
namespace {

HWND g_refused = nullptr;  // one refusal at a time

}  // namespace

DestructionRefusal::DestructionRefusal(HWND window) {
  g_refused = window;
  hook_ = ::SetWindowsHookExA(WH_CBT, &DestructionRefusal::Hook, nullptr, ::GetCurrentThreadId());
}

DestructionRefusal::~DestructionRefusal() {
  ::UnhookWindowsHookEx(hook_);
  g_refused = nullptr;
}

LRESULT CALLBACK DestructionRefusal::Hook(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HCBT_DESTROYWND && reinterpret_cast<HWND>(wParam) == g_refused) return TRUE;
  return ::CallNextHookEx(nullptr, code, wParam, lParam);
}

}  // namespace tolvane::testing
