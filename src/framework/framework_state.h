// What the framework keeps for the whole process: the table of its windows and the thread's
// message hook. Their owner (the module object; a test program of the framework) makes the state
// before its first window and deletes it after its last; while it lives, Windows() and
// PreTranslateHook::Instance() reach it. There is one at a time.
#pragma once

#include "framework/pre_translate_hook.h"
#include "framework/window_table.h"

namespace tolvane {

class FrameworkState {
 public:
  FrameworkState();
  // Removes a hook still set.
  ~FrameworkState();
  FrameworkState(const FrameworkState&) = delete;
  FrameworkState& operator=(const FrameworkState&) = delete;

  // In the process, not window properties: under Wine every property lookup is a round trip to
  // the server (about 16 us), and each display request of a list needed several.
  WindowTable windows;
  PreTranslateHook hook;
};

}  // namespace tolvane
