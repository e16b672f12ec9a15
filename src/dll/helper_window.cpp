#include "dll/helper_window.h"

namespace tolvane {

static_assert(kHelperMessage == 0x8001);

LRESULT CRegHelperWnd::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == kHelperMessage) {
    if (wParam == kFillRequest) {
      fill_(*reinterpret_cast<OpsTable*>(lParam));
    } else if (wParam == kFinishRequest) {
      // The table it carries may already be freed: it is never read.
      Destroy();
      return 0;
    }
  }
  return Default(message, wParam, lParam);
}

}  // namespace tolvane
