#include "file_catalog.h"

namespace tolvane::host {

void FileCatalog::Assign(const FileEntryList& list) {
  std::vector<std::string> names;
  for (const FileEntry& entry : list) names.emplace_back(EntryName(entry));
  Assign(names);
}

void FileCatalog::Assign(const std::vector<std::string>& relativeNames) {
  records_.clear();
  files_.clear();
  files_.reserve(relativeNames.size());
  for (const std::string& name : relativeNames) files_.push_back(WorkspaceFile{name});
  for (const WorkspaceFile& file : files_) records_.emplace_back(file);
}

HostFileRecord* FileCatalog::Record(uint32_t key) {
  return key < records_.size() ? &records_[key] : &noRecord_;
}

bool FillFileEntryList(const std::vector<std::string>& relativeNames, FileEntryList& list) {
  list.Clear();
  // Every file the host found belongs to its project; the second flag has no meaning here.
  for (const std::string& name : relativeNames) {
    if (!list.AppendName(name.data(), uint32_t(name.size()), kFileInProject)) return false;
  }
  return true;
}

}  // namespace tolvane::host
