// Load and unload hooks of TolvaneReg.dll.
#include <windows.h>

#include "module/win32/module_lifecycle.h"

extern "C" BOOL WINAPI DllMain(HINSTANCE, DWORD reason, LPVOID reserved) {
  switch (reason) {
    case DLL_PROCESS_ATTACH:
      tolvane::LoadModule();
      break;
    case DLL_PROCESS_DETACH:
      // A non-null `reserved` means the whole process is ending, not a FreeLibrary.
      tolvane::UnloadModule(reserved != nullptr);
      break;
    default:  // threads starting and ending: nothing to do
      break;
  }
  return TRUE;
}
