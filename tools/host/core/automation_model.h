// The host's automation model over its editor pane, with the interfaces and operation positions
// the module calls: root, windows, item operations, document, text document, selection, point.
#pragma once

#include "automation_object.h"
#include "editor_pane.h"

namespace tolvane::host {

// The root the host hands to TolvaneRegCreate: one reference, the caller's.
AutomationRoot* CreateAutomationRoot(EditorPane& pane);

}  // namespace tolvane::host
