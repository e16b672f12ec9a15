// Pushing a freshly loaded list into the host's project model: the temporary project file,
// then the host's per-file flags.
#pragma once

#include <string>

#include "filelist/file_system.h"
#include "tolvane/file_entry_list.h"
#include "tolvane/host_objects.h"

namespace tolvane {

// The project file's path: the file-list path with ".vcproj" appended.
std::string ProjectFilePath(const std::string& listPath);

// Writes the project fragment to ProjectFilePath(listPath) as text, gives it the list file's
// last-modification time, hands its path to the host (operation 11) and deletes it. False, with
// no host call made, when the file could not be written in full or given that time. The file is
// deleted on every way out once it may exist, an exception's included.
bool ExportProjectFile(HostWorkspace& workspace, FileSystem& fs, const FileEntryList& list,
                       const std::string& listPath);

// The project export followed, when the file was written, by SyncHostFileEntries.
void ExportToHost(HostWorkspace& workspace, FileSystem& fs, const FileEntryList& list,
                  const std::string& listPath);

}  // namespace tolvane
