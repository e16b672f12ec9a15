// The module frame's state: one instance per loaded module, reached through ModuleFrame(). It
// holds the automation root (one counted reference while set), the host's workspace, the helper
// window object and the platform services the other subsystems are connected to.
#pragma once

#include "framework/message_box_notifier.h"
#include "framework/registry_profile.h"
#include "framework/system_beeper.h"
#include "module/win32/reg_helper_wnd.h"
#include "navigate/win32/ole_wide_strings.h"
#include "tolvane/automation.h"
#include "tolvane/host_objects.h"

namespace tolvane {

struct ModuleFrameState {
  IDispatch* automationRoot = nullptr;  // one reference held while set
  HostWorkspace* workspace = nullptr;   // the host's; not counted
  CRegHelperWnd helperWindow;           // has a window from creation to the finish request
  bool historiesLoaded = false;         // a creation has read the history lists from the profile

  RegistryProfile profile;
  SystemBeeper systemBeeper;
  Beeper* beeper = &systemBeeper;  // tests put a recording one here
  MessageBoxNotifier messageBox;
  OleWideStrings wideStrings;
};

ModuleFrameState& ModuleFrame();

// Holds `root` in place of the current one: a new object is taken (one reference) before the
// old one is released; the same object again changes nothing. Navigation sees the same root.
void HoldAutomationRoot(IDispatch* root);

}  // namespace tolvane
