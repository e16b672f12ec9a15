#include "workspace_model.h"

#include <fstream>
#include <sstream>

#include "project_fragment.h"

namespace tolvane::host {

HostFileEntry* FileFlagSet::Find(const char* name) {
  auto found = entries_.find(std::string_view(name != nullptr ? name : ""));
  return found == entries_.end() ? nullptr : &found->second;
}

const FileFlags* FileFlagSet::Get(std::string_view name) const {
  auto found = entries_.find(name);
  return found == entries_.end() ? nullptr : &found->second;
}

WorkspaceModel::WorkspaceModel(const std::filesystem::path& root)
    : root_(root), fileListPath_((root / ".tolvane" / "files.tvef").string()) {}

void WorkspaceModel::LoadProjectFile(const char* projectFilePath) {
  projectFileCount_ = -1;
  if (projectFilePath == nullptr) return;
  // No exception may reach the module's frame: a fragment that cannot be taken in (no memory
  // for its names) counts as unreadable, the count staying at -1.
  try {
    std::ifstream in(projectFilePath, std::ios::binary);
    if (!in) return;
    std::ostringstream text;
    text << in.rdbuf();
    const auto names = ReadFragmentFiles(text.str());
    for (const std::string& name : names) flags_.Add(name);
    projectFileCount_ = int(names.size());
  } catch (...) {
  }
}

}  // namespace tolvane::host
