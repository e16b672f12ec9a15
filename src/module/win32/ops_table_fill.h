// Writes the thirteen defined entries of the operation table (1-3, 5-14); slots 0 and 4 are
// left as they are.
#pragma once

#include "tolvane/tolvane.h"

namespace tolvane {

void FillOpsTable(OpsTable& table);

}  // namespace tolvane
