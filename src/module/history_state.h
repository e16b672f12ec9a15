// The module's three history lists: one instance for the whole module, empty at load, filled at
// creation, replaced by each dialog's close, saved at destruction.
#pragma once

#include "module/history_list.h"

namespace tolvane {

struct HistoryLists {
  HistoryList filename;   // "FilenameEditList", Find File combo 1021
  HistoryList tagParent;  // "TagParentEditList", Find Tag parent combo 1051
  HistoryList tag;        // "TagEditList", Find Tag tag combo 1052
};

// The single module-wide instance.
HistoryLists& Histories();

}  // namespace tolvane
