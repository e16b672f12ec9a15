#include "filelist/file_entry_copy.h"

namespace tolvane {

void CopyFileEntries(const FileEntryList& source, FileEntryList& destination) {
  if (&source == &destination) return;  // clearing first would destroy the source
  destination.Clear();
  for (const FileEntry& entry : source) destination.Append(entry);
}

}  // namespace tolvane
