// Records the key-downs and characters a window's own procedure receives, by subclassing it on
// top of whatever procedure it has (the module's included). Undone on destruction.
#pragma once

#include <windows.h>

#include <vector>

namespace tolvane::testing {

class KeyRecorder {
 public:
  struct Key {
    UINT message;  // WM_KEYDOWN or WM_CHAR
    WPARAM wParam;
    LPARAM lParam;
  };

  explicit KeyRecorder(HWND hwnd);
  ~KeyRecorder();
  KeyRecorder(const KeyRecorder&) = delete;
  KeyRecorder& operator=(const KeyRecorder&) = delete;

  const std::vector<Key>& Keys() const { return keys_; }
  std::vector<WPARAM> KeyDowns() const;
  void Clear() { keys_.clear(); }

 private:
  static LRESULT CALLBACK Procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  HWND hwnd_;
  WNDPROC previous_;
  std::vector<Key> keys_;
};

}  // namespace tolvane::testing
