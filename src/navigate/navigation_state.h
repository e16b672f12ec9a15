// What navigation works with: the automation root, the last tag reached and the platform's
// services. The module object owns one and connects the services as it is made; GoToTag does
// nothing while the root is null.
#pragma once

#include "navigate/com_ref.h"
#include "seams/code_page.h"
#include "seams/notifier.h"
#include "seams/wide_strings.h"
#include "tolvane/automation.h"
#include "tolvane/host_objects.h"

namespace tolvane {

struct NavigationState {
  // The IDE's automation root, one reference held while it is set (the module takes it at
  // creation and releases it at the last destruction). Empty while none is held.
  ComRef<AutomationRoot> automationRoot;
  // The last tag reached; not counted, the host keeps the record alive. Null at load.
  HostTagRecord* lastTag = nullptr;
  // The platform's services, connected before any navigation (never null while navigating).
  WideStrings* wideStrings = nullptr;
  Notifier* notifier = nullptr;
  // The lead bytes of the code page the host's texts are in (none: a single-byte code page).
  LeadBytes leadBytes;
};

}  // namespace tolvane
