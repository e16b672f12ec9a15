#include "workspace_model.h"

#include <fstream>
#include <sstream>

#include "project_fragment.h"

namespace tolvane::host {

HostFileEntry* FileFlagSet::Find(std::string name) {
  auto found = entries_.find(name);
  return found == entries_.end() ? nullptr : &found->second;
}

const FileFlags* FileFlagSet::Get(const std::string& name) const {
  auto found = entries_.find(name);
  return found == entries_.end() ? nullptr : &found->second;
}

WorkspaceModel::WorkspaceModel(const std::filesystem::path& root)
    : root_(root), fileListPath_((root / ".tolvane" / "files.tvef").string()) {}

void WorkspaceModel::LoadProjectFile(std::string projectFilePath) {
  std::ifstream in(projectFilePath, std::ios::binary);
  if (!in) {
    projectFileCount_ = -1;
    return;
  }
  std::ostringstream text;
  text << in.rdbuf();
  const auto names = ReadFragmentFiles(text.str());
  for (const std::string& name : names) flags_.Add(name);
  projectFileCount_ = int(names.size());
}

}  // namespace tolvane::host
