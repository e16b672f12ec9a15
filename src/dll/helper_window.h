// CRegHelperWnd: the hidden child of the IDE's main window through which creation fills the
// operation table (a sent request, handled at once) and which removes itself on a later turn of
// the host's message loop (a posted request).
#pragma once

#include "framework/window.h"
#include "tolvane/tolvane.h"

namespace tolvane {

inline constexpr UINT kHelperMessage = WM_APP + 1;  // 0x8001
inline constexpr WPARAM kFinishRequest = 0x1234;    // posted: destroy the helper's window
inline constexpr WPARAM kFillRequest = 0x1235;      // sent, lParam = the OpsTable to fill

class CRegHelperWnd : public CWnd {
 public:
  using FillTable = void (*)(OpsTable& table);
  explicit CRegHelperWnd(FillTable fill) : fill_(fill) {}

 protected:
  // The helper message; every other message gets the default processing.
  LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  FillTable fill_;
};

}  // namespace tolvane
