// The module's two exports.
#include "module/win32/module_lifecycle.h"
#include "tolvane/tolvane.h"

extern "C" {

TOLVANE_API tolvane::OpsTable* TOLVANE_CDECL TolvaneRegCreate(IDispatch* automationRoot,
                                                              tolvane::HostWorkspace* workspace) {
  return tolvane::CreateModule(automationRoot, workspace);
}

TOLVANE_API void TOLVANE_CDECL TolvaneRegDestroy(tolvane::OpsTable* table) {
  tolvane::DestroyModule(table);
}

}  // extern "C"
