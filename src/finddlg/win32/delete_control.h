// How the dialog entries end a control object. At close its window goes with it (the dialog is
// closing and the host only borrowed the object). When a dialog is opened again without a close,
// the earlier object only lets go of its window, so the host's controls stay as they are.
#pragma once

#include "framework/window.h"

namespace tolvane {

enum class ControlWindow { kDestroy, kKeep };

inline void DeleteControl(CWnd* control, ControlWindow window) {
  if (control == nullptr) return;
  if (window == ControlWindow::kDestroy) {
    control->Destroy();
  } else {
    control->Detach();
  }
  delete control;
}

}  // namespace tolvane
