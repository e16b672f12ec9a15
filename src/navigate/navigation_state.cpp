#include "navigate/navigation_state.h"

namespace tolvane {

NavigationState& Navigation() {
  static NavigationState state;
  return state;
}

}  // namespace tolvane
