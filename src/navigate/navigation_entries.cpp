#include "navigate/navigation_entries.h"

#include "navigate/go_to_tag.h"

namespace tolvane {

HostTagRecord* GetLastTagEntry() {
  return GetLastTag(Navigation());
}

bool GoToTagEntry(HostTagRecord* tag) {
  return GoToTag(Navigation(), tag);
}

}  // namespace tolvane
