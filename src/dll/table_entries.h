// The operation table: the thirteen defined entries (1-3, 5-14), each reaching the module object;
// slots 0 and 4 are left as they are.
#pragma once

#include "tolvane/tolvane.h"

namespace tolvane {

void FillOpsTable(OpsTable& table);

}  // namespace tolvane
