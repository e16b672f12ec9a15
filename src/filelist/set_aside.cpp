#include "filelist/set_aside.h"

#include "filelist/file_list_format.h"

namespace tolvane {

bool SetAsideUnreadableFile(FileSystem& fs, const std::string& path) {
  return fs.Rename(path, path + file_list_format::kSetAsideSuffix);
}

}  // namespace tolvane
