// The entry points of TolvaneReg.dll: its load and unload hook and its two exports. Nothing leaves
// them as an exception: the host's frames may be another compiler's.
#include <windows.h>

#include "dll/module.h"
#include "dll/unwind_tables.h"
#include "tolvane/tolvane.h"

namespace {

// The thread-local slot the threads library takes as the C runtime starts, without which it ends
// the process, is free.
bool SlotFree() {
  const DWORD slot = ::TlsAlloc();
  if (slot == TLS_OUT_OF_INDEXES) return false;
  ::TlsFree(slot);
  return true;
}

bool g_runtimeStarted = false;

}  // namespace

// The C runtime's entry, which starts the runtime and calls DllMain.
extern "C" BOOL WINAPI DllMainCRTStartup(HANDLE instance, DWORD reason, LPVOID reserved);

// The module's entry point: a process whose other modules took every thread-local slot fails the
// load before the runtime starts. The loader then still detaches: there is nothing to end.
extern "C" BOOL WINAPI TolvaneRegEntry(HANDLE instance, DWORD reason, LPVOID reserved) {
  if (reason == DLL_PROCESS_ATTACH) {
    if (!SlotFree()) return FALSE;
    g_runtimeStarted = true;
  }
  // After the process detach nothing calls here again: the image goes, or the process ends.
  if (!g_runtimeStarted) return TRUE;
  return DllMainCRTStartup(instance, reason, reserved);
}

extern "C" BOOL WINAPI DllMain(HINSTANCE, DWORD reason, LPVOID reserved) {
  switch (reason) {
    case DLL_PROCESS_ATTACH:
      // Before anything in the module throws.
      if (!tolvane::RegisterUnwindTablesWithOwnUnwinder()) return FALSE;
      if (tolvane::LoadModule()) return TRUE;
      tolvane::DeregisterUnwindTablesFromOwnUnwinder();
      return FALSE;
    case DLL_PROCESS_DETACH:
      // A non-null `reserved` means the whole process is ending, not a FreeLibrary.
      tolvane::UnloadModule(reserved != nullptr);
      if (reserved == nullptr) tolvane::DeregisterUnwindTablesFromOwnUnwinder();
      break;
    default:  // threads starting and ending: nothing to do
      break;
  }
  return TRUE;
}

extern "C" {

TOLVANE_API tolvane::OpsTable* TOLVANE_CDECL TolvaneRegCreate(IDispatch* automationRoot,
                                                              tolvane::HostWorkspace* workspace) {
  // Before creation the module serves the loading thread: a creation on another fails.
  if (!tolvane::OnModuleThread()) return nullptr;
  try {
    // The root is the IDE's automation root object, whatever interface type the host names it by.
    return tolvane::TheModule().Create(static_cast<tolvane::AutomationRoot*>(automationRoot),
                                       workspace);
  } catch (...) {
    return nullptr;
  }
}

TOLVANE_API void TOLVANE_CDECL TolvaneRegDestroy(tolvane::OpsTable* table) {
  // Destroy lets nothing out: a history save that runs out of memory still lets the table go.
  if (tolvane::OnModuleThread()) tolvane::TheModule().Destroy(table);
}

}  // extern "C"
