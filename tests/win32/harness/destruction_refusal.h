// A host's WH_CBT hook on this thread that refuses the destruction of one window for as long as
// the object lives, as a host or another add-in may. Set before the module's own hooks, it is
// the one they pass the news on to.
#pragma once

#include <windows.h>

namespace tolvane::testing {

class DestructionRefusal {
 public:
  explicit DestructionRefusal(HWND window);
  ~DestructionRefusal();
  DestructionRefusal(const DestructionRefusal&) = delete;
  DestructionRefusal& operator=(const DestructionRefusal&) = delete;

 private:
  static LRESULT CALLBACK Hook(int code, WPARAM wParam, LPARAM lParam);
  HHOOK hook_;
};

}  // namespace tolvane::testing
