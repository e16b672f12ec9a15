#include "module/history_state.h"

namespace tolvane {

HistoryLists& Histories() {
  static HistoryLists lists;
  return lists;
}

}  // namespace tolvane
