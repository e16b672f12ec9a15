#include "framework/code_pin.h"

namespace tolvane {
namespace {

// Process-wide, as the pin is: it outlives every object of the module.
bool g_pinned = false;

}  // namespace

bool CodeKeptLoaded() {
  return g_pinned;
}

void KeepCodeLoaded() {
  if (g_pinned) return;
  HMODULE module = nullptr;
  g_pinned =
      ::GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_PIN,
                           reinterpret_cast<LPCSTR>(&KeepCodeLoaded), &module) != FALSE;
}

}  // namespace tolvane
