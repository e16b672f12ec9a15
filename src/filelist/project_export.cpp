#include "filelist/project_export.h"

#include <span>

#include "filelist/file_transfer.h"
#include "filelist/host_file_entry_sync.h"
#include "filelist/project_fragment.h"

namespace tolvane {

std::string ProjectFilePath(const std::string& listPath) {
  return listPath + ".vcproj";
}

bool ExportProjectFile(HostWorkspace& workspace, FileSystem& fs, const FileEntryList& list,
                       const std::string& listPath) {
  const std::string projectPath = ProjectFilePath(listPath);
  std::unique_ptr<WritableFile> file = fs.OpenForWriting(projectPath);
  if (file == nullptr) return false;
  const std::string text = ProjectFragment(list, kPlatformLineEnd);
  const auto* bytes = reinterpret_cast<const uint8_t*>(text.data());
  const bool written = WriteAll(*file, std::span(bytes, text.size())) && file->Commit();
  file.reset();
  if (!written) {
    // A torn fragment would hand the host half a project.
    fs.Remove(projectPath);
    return false;
  }
  FileTimes listTimes;  // stays zero when the list file's times cannot be read
  fs.ReadTimes(listPath, listTimes);
  FileTimes projectTimes;
  if (fs.ReadTimes(projectPath, projectTimes)) {
    if (listTimes.lastWrite != 0) {
      projectTimes.lastWrite = listTimes.lastWrite;
      fs.WriteTimes(projectPath, projectTimes);
    }
    workspace.LoadProjectFile(projectPath);
  }
  fs.Remove(projectPath);
  return true;
}

void ExportToHost(HostWorkspace& workspace, FileSystem& fs, const FileEntryList& list,
                  const std::string& listPath) {
  if (ExportProjectFile(workspace, fs, list, listPath)) SyncHostFileEntries(workspace, list);
}

}  // namespace tolvane
