#include "framework/framework_state.h"

namespace tolvane {
namespace {

FrameworkState* installed = nullptr;

}  // namespace

FrameworkState::FrameworkState() {
  installed = this;
}

FrameworkState::~FrameworkState() {
  if (installed == this) installed = nullptr;
}

WindowTable& Windows() {
  return installed->windows;
}

PreTranslateHook& PreTranslateHook::Instance() {
  return installed->hook;
}

}  // namespace tolvane
