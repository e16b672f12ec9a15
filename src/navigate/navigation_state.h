// What navigation works with: the automation root, the last tag reached and the platform's
// services. The module object owns one; GoToTag does nothing while the root or a service is null.
#pragma once

#include "seams/notifier.h"
#include "seams/wide_strings.h"
#include "tolvane/automation.h"
#include "tolvane/host_objects.h"

namespace tolvane {

struct NavigationState {
  // The IDE's automation root; its owner holds one reference while it is set (the module takes
  // it at creation and releases it at destruction). Null while none is held.
  IDispatch* automationRoot = nullptr;
  // The last tag reached; not counted, the host keeps the record alive. Null at load.
  HostTagRecord* lastTag = nullptr;
  // The platform's services, connected before any navigation.
  WideStrings* wideStrings = nullptr;
  Notifier* notifier = nullptr;
};

}  // namespace tolvane
