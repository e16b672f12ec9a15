// A file of the workspace as the host lists it, and the host's record of it for the module.
#pragma once

#include <string>

#include "tolvane/host_objects.h"

namespace tolvane::host {

struct WorkspaceFile {
  std::string relativeName;  // "src/module/entry.cpp", separators always "/"

  std::string FileName() const;   // "entry.cpp"
  std::string Title() const;      // "entry"
  std::string Extension() const;  // "cpp"; empty when the name has no dot
  std::string Folder() const;     // "src/module"; empty at the workspace root
};

// The record the module asks for by key (HostFileSource operation 1).
class FileRecord final : public HostFileRecord {
 public:
  explicit FileRecord(const WorkspaceFile* file) : file_(file) {}
  std::string Title() override { return file_->Title(); }
  std::string Extension() override { return file_->Extension(); }
  std::string Path() override { return file_->Folder(); }

 private:
  const WorkspaceFile* file_;
};

}  // namespace tolvane::host
