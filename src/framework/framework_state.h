// What the framework keeps for the whole process: the table of its windows and the thread's
// hook. Their owner (the module object; a test program of the framework) makes the state before
// its first window and deletes it after its last; while it lives, TheWindowTable() and
// PreTranslateHook::Instance() reach its members. There is one at a time.
#pragma once

#include "framework/pre_translate_hook.h"
#include "framework/window_table.h"

namespace tolvane {

struct FrameworkState {
  WindowTable windows;
  PreTranslateHook hook;  // goes first, removing the hook if still set
};

}  // namespace tolvane
