#include "workspace_file.h"

namespace tolvane::host {

std::string WorkspaceFile::FileName() const {
  const auto slash = relativeName.rfind('/');
  return slash == std::string::npos ? relativeName : relativeName.substr(slash + 1);
}

std::string WorkspaceFile::Title() const {
  const std::string name = FileName();
  const auto dot = name.rfind('.');
  // ".gitignore" is a file with an empty title and an extension, as the Find File list shows it.
  return dot == std::string::npos ? name : name.substr(0, dot);
}

std::string WorkspaceFile::Extension() const {
  const std::string name = FileName();
  const auto dot = name.rfind('.');
  return dot == std::string::npos ? std::string() : name.substr(dot + 1);
}

std::string WorkspaceFile::Folder() const {
  const auto slash = relativeName.rfind('/');
  return slash == std::string::npos ? std::string() : relativeName.substr(0, slash);
}

}  // namespace tolvane::host
