// Lists the files of a workspace folder for the host's first run.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace tolvane::host {

// Relative names ("/"-separated, sorted) of every regular file under `root`. Hidden folders
// (a name starting with ".") are skipped, and so are build trees (a folder holding
// CMakeCache.txt), whose generated files would bury the sources, and so is a ".git" file (a
// worktree's link to its repository). Folders that cannot be read
// are skipped; symbolic links to folders are not followed.
std::vector<std::string> ScanWorkspace(const std::filesystem::path& root);

}  // namespace tolvane::host
