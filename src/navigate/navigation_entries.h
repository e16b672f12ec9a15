// The navigation services as the operation table offers them: entry 13 (GetLastTagEntry) and
// entry 14 (GoToTagEntry). Both work on the module-wide Navigation() state.
#pragma once

#include "tolvane/host_objects.h"

namespace tolvane {

HostTagRecord* GetLastTagEntry();
bool GoToTagEntry(HostTagRecord* tag);

}  // namespace tolvane
