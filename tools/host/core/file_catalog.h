// The workspace's files as the Find File list sees them: keys are indexes into the catalog.
#pragma once

#include <cstdint>
#include <deque>
#include <string>
#include <string_view>
#include <vector>

#include "tolvane/file_entry_list.h"
#include "tolvane/host_objects.h"
#include "workspace_file.h"

namespace tolvane::host {

class FileCatalog final : public HostFileSource {
 public:
  // Replaces the catalog with the names of `list`, in list order.
  void Assign(const FileEntryList& list);
  void Assign(const std::vector<std::string>& relativeNames);

  HostFileRecord* Record(uint32_t key) override;  // an empty record for an unknown key

  const std::vector<WorkspaceFile>& Files() const { return files_; }

 private:
  std::vector<WorkspaceFile> files_;
  std::deque<FileRecord> records_;  // stable addresses: the module keeps record pointers briefly
  FileRecord noRecord_{WorkspaceFile{}};
};

// An entry's name: its nameLength bytes (it may hold zero bytes of its own).
inline std::string_view EntryName(const FileEntry& entry) {
  return entry.name != nullptr ? std::string_view(entry.name, entry.nameLength)
                               : std::string_view();
}

// The host's own list in the shape the module copies to and from (table entries 11 and 12);
// false when memory runs out, with the list holding the names appended until then.
bool FillFileEntryList(const std::vector<std::string>& relativeNames, FileEntryList& list);

}  // namespace tolvane::host
