#include "finddlg/win32/list_display_info.h"

#include "framework/window.h"

namespace tolvane {

NMLVDISPINFOA* DisplayInfoRequestOf(const CWnd& list, UINT message, LPARAM lParam) {
  if (message != WM_NOTIFY || lParam == 0) return nullptr;
  auto* header = reinterpret_cast<NMHDR*>(lParam);
  if (header->hwndFrom != list.Handle() || header->code != LVN_GETDISPINFOA) return nullptr;
  return reinterpret_cast<NMLVDISPINFOA*>(lParam);
}

}  // namespace tolvane
