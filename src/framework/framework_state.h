// What the framework keeps for the whole process: the table of its windows and the thread's
// message hook. Their owner (the module object; a test program of the framework) installs them
// before its first window and keeps them until its last window has gone; Windows() and
// PreTranslateHook::Instance() reach them.
#pragma once

#include "framework/pre_translate_hook.h"
#include "framework/window_table.h"

namespace tolvane {

struct FrameworkState {
  // In the process, not window properties: under Wine every property lookup is a round trip to
  // the server (about 16 us), and each display request of a list needed several.
  WindowTable windows;
  PreTranslateHook hook;
};

// Makes `state` the one the framework uses; null when its owner goes.
void InstallFrameworkState(FrameworkState* state);

}  // namespace tolvane
