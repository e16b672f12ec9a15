#include "module/win32/module_frame_state.h"

#include "navigate/navigation_state.h"

namespace tolvane {

ModuleFrameState& ModuleFrame() {
  static ModuleFrameState state;
  return state;
}

void HoldAutomationRoot(IDispatch* root) {
  ModuleFrameState& frame = ModuleFrame();
  if (root == frame.automationRoot) return;
  if (root != nullptr) root->AddRef();
  IDispatch* previous = frame.automationRoot;
  frame.automationRoot = root;
  Navigation().automationRoot = root;
  if (previous != nullptr) previous->Release();
}

}  // namespace tolvane
