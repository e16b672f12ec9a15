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

// The record the module asks for by key (HostFileSource operation 1). It keeps its own copies of
// the texts it hands out, so that they stay valid while the record lives.
class FileRecord final : public HostFileRecord {
 public:
  explicit FileRecord(const WorkspaceFile& file)
      : title_(file.Title()), extension_(file.Extension()), path_(file.Folder()) {}
  const char* Title() override { return title_.c_str(); }
  const char* Extension() override { return extension_.c_str(); }
  const char* Path() override { return path_.c_str(); }

 private:
  std::string title_;
  std::string extension_;
  std::string path_;
};

}  // namespace tolvane::host
