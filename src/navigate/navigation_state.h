// The navigation subsystem's module-wide state: one instance, reached through Navigation().
#pragma once

#include "seams/notifier.h"
#include "seams/wide_strings.h"
#include "tolvane/automation.h"
#include "tolvane/host_objects.h"

namespace tolvane {

struct NavigationState {
  // The IDE's automation root as the module frame stores it (the frame holds its one
  // reference, taken at creation and released at destruction); null while none is held.
  IDispatch* automationRoot = nullptr;
  // The last tag reached; not counted, the host keeps the record alive. Null at load.
  HostTagRecord* lastTag = nullptr;
  // The platform's services, connected by the module frame before any navigation.
  WideStrings* wideStrings = nullptr;
  Notifier* notifier = nullptr;
};

NavigationState& Navigation();

}  // namespace tolvane
