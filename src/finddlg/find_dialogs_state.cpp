#include "finddlg/find_dialogs_state.h"

namespace tolvane {

FindDialogsState& FindDialogs() {
  static FindDialogsState state;
  return state;
}

}  // namespace tolvane
