#include "filelist/host_file_entry_sync.h"

namespace tolvane {

void SyncHostFileEntries(HostWorkspace& workspace, const FileEntryList& list) {
  HostFileEntrySet* set = workspace.FileEntrySet();
  if (set == nullptr) return;
  for (const FileEntry& entry : list) {
    // The module's own list: every entry's name is a NUL-terminated copy, never null.
    HostFileEntry* hostEntry = set->Find(entry.name);
    if (hostEntry == nullptr) continue;
    const bool inProject = (entry.flags & kFileInProject) != 0;
    if (hostEntry->FirstFlag() != inProject) hostEntry->SetFirstFlag(inProject);
    hostEntry->SetSecondFlag((entry.flags & kFileSecondFlag) != 0);
  }
}

}  // namespace tolvane
