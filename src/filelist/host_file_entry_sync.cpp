#include "filelist/host_file_entry_sync.h"

namespace tolvane {

void SyncHostFileEntries(HostWorkspace& workspace, const FileEntryList& list) {
  HostFileEntrySet* set = workspace.FileEntrySet();
  if (set == nullptr) return;
  for (const FileEntry& entry : list) {
    // The host reads a NUL-terminated text: an entry without a name asks for "".
    HostFileEntry* hostEntry = set->Find(entry.name != nullptr ? entry.name : "");
    if (hostEntry == nullptr) continue;
    const bool inProject = (entry.flags & kFileInProject) != 0;
    if (hostEntry->FirstFlag() != inProject) hostEntry->SetFirstFlag(inProject);
    hostEntry->SetSecondFlag((entry.flags & kFileSecondFlag) != 0);
  }
}

}  // namespace tolvane
