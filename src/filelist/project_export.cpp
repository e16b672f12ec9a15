#include "filelist/project_export.h"

#include <span>

#include "filelist/file_transfer.h"
#include "filelist/host_file_entry_sync.h"
#include "filelist/project_fragment.h"

namespace tolvane {

std::string ProjectFilePath(const std::string& listPath) {
  return listPath + ".vcproj";
}

namespace {

// Deletes the project file on every way out of the export once the file may exist, an exception
// (from the host's operation 11, or out of memory) included: the host is handed the file whole
// or never, and it does not stay behind.
class ProjectFileRemoval {
 public:
  ProjectFileRemoval(FileSystem& fs, const std::string& path) : fs_(fs), path_(path) {}
  ProjectFileRemoval(const ProjectFileRemoval&) = delete;
  ProjectFileRemoval& operator=(const ProjectFileRemoval&) = delete;
  ~ProjectFileRemoval() {
    if (armed_) fs_.Remove(path_);  // a file whose deletion failed may stay
  }
  void Disarm() { armed_ = false; }

 private:
  FileSystem& fs_;
  const std::string& path_;
  bool armed_ = true;
};

}  // namespace

bool ExportProjectFile(HostWorkspace& workspace, FileSystem& fs, const FileEntryList& list,
                       const std::string& listPath) {
  const std::string projectPath = ProjectFilePath(listPath);
  // Built before the file is opened, which empties it: running short of memory here must not
  // leave an emptied project file behind.
  const std::string text = ProjectFragment(list, kPlatformLineEnd);
  ProjectFileRemoval removal(fs, projectPath);
  std::unique_ptr<WritableFile> file = fs.OpenForWriting(projectPath);
  if (file == nullptr) {
    removal.Disarm();
    return false;
  }
  const auto* bytes = reinterpret_cast<const uint8_t*>(text.data());
  const bool written = WriteAll(*file, std::span(bytes, text.size())) && file->Commit();
  file.reset();
  // A torn fragment would hand the host half a project.
  if (!written) return false;
  FileTimes listTimes;  // stays zero when the list file's times cannot be read
  fs.ReadTimes(listPath, listTimes);
  FileTimes projectTimes;
  if (fs.ReadTimes(projectPath, projectTimes)) {
    if (listTimes.lastWrite != 0) {
      projectTimes.lastWrite = listTimes.lastWrite;
      // The host takes the file's time for the list's: without it the file is as unfit as a
      // torn one.
      if (!fs.WriteTimes(projectPath, projectTimes)) return false;
    }
    workspace.LoadProjectFile(projectPath.c_str());
  }
  return true;
}

void ExportToHost(HostWorkspace& workspace, FileSystem& fs, const FileEntryList& list,
                  const std::string& listPath) {
  if (ExportProjectFile(workspace, fs, list, listPath)) SyncHostFileEntries(workspace, list);
}

}  // namespace tolvane
