// How a dialog's close entry ends a control object: its window (if it still has one) is
// destroyed with it, as the objects the host borrowed are gone after close.
#pragma once

#include "framework/window.h"

namespace tolvane {

inline void DeleteControl(CWnd* control) {
  if (control == nullptr) return;
  control->Destroy();
  delete control;
}

}  // namespace tolvane
