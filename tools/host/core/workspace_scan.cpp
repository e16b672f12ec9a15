#include "workspace_scan.h"

#include <algorithm>
#include <system_error>

namespace tolvane::host {

namespace fs = std::filesystem;

namespace {

bool SkipFolder(const fs::path& folder) {
  const std::string name = folder.filename().string();
  if (!name.empty() && name[0] == '.') return true;
  std::error_code error;
  return fs::exists(folder / "CMakeCache.txt", error);
}

}  // namespace

std::vector<std::string> ScanWorkspace(const fs::path& root) {
  std::vector<std::string> names;
  std::error_code error;
  fs::recursive_directory_iterator it(root, fs::directory_options::skip_permission_denied, error);
  if (error) return names;
  for (; it != fs::recursive_directory_iterator(); it.increment(error)) {
    if (error) break;
    const fs::directory_entry& entry = *it;
    std::error_code statError;
    if (entry.is_directory(statError) && !entry.is_symlink(statError)) {
      if (SkipFolder(entry.path())) it.disable_recursion_pending();
      continue;
    }
    if (!entry.is_regular_file(statError)) continue;
    if (entry.path().filename() == ".git") continue;  // a worktree's link to its repository
    try {
      names.push_back(entry.path().lexically_relative(root).generic_string());
    } catch (const std::exception&) {
      // A name the narrow code page cannot spell cannot reach the module either.
    }
  }
  std::sort(names.begin(), names.end());
  return names;
}

}  // namespace tolvane::host
