#include "key_recorder.h"

namespace tolvane::testing {
namespace {
constexpr char kRecorderProperty[] = "TolvaneTest.KeyRecorder";
}

KeyRecorder::KeyRecorder(HWND hwnd) : hwnd_(hwnd) {
  ::SetPropA(hwnd, kRecorderProperty, this);
  previous_ = reinterpret_cast<WNDPROC>(
      ::SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Procedure)));
}

KeyRecorder::~KeyRecorder() {
  if (!::IsWindow(hwnd_)) return;
  ::RemovePropA(hwnd_, kRecorderProperty);
  if (::GetWindowLongPtrA(hwnd_, GWLP_WNDPROC) == reinterpret_cast<LONG_PTR>(&Procedure)) {
    ::SetWindowLongPtrA(hwnd_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previous_));
  }
}

std::vector<WPARAM> KeyRecorder::KeyDowns() const {
  std::vector<WPARAM> downs;
  for (const Key& key : keys_) {
    if (key.message == WM_KEYDOWN) downs.push_back(key.wParam);
  }
  return downs;
}

LRESULT CALLBACK KeyRecorder::Procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* self = static_cast<KeyRecorder*>(::GetPropA(hwnd, kRecorderProperty));
  if (self == nullptr) return ::DefWindowProcA(hwnd, message, wParam, lParam);
  if (message == WM_KEYDOWN || message == WM_CHAR) self->keys_.push_back({message, wParam, lParam});
  WNDPROC previous = self->previous_;
  if (message == WM_NCDESTROY) ::RemovePropA(hwnd, kRecorderProperty);
  return ::CallWindowProcA(previous, hwnd, message, wParam, lParam);
}

}  // namespace tolvane::testing
