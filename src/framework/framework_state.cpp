#include "framework/framework_state.h"

namespace tolvane {
namespace {

FrameworkState* installed = nullptr;

}  // namespace

void InstallFrameworkState(FrameworkState* state) {
  installed = state;
}

WindowTable& Windows() {
  return installed->windows;
}

PreTranslateHook& PreTranslateHook::Instance() {
  return installed->hook;
}

}  // namespace tolvane
