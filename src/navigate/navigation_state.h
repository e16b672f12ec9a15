// The navigation subsystem's module-wide state: one instance, reached through Navigation().
// The module frame connects it: at creation it stores the automation root here and points
// wideStrings (on Windows an OleWideStrings) and notifier at the platform's services; at
// destruction it clears automationRoot. GoToTag does nothing while any of the three is null.
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
