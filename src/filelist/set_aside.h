// Moving an unreadable file-list file out of the way without destroying it.
#pragma once

#include <string>

#include "filelist/file_system.h"

namespace tolvane {

// Renames `path` to `path` + ".old", replacing an older ".old". When the rename fails the file
// stays where it is: it may be the only copy of the user's list. True when it was moved.
bool SetAsideUnreadableFile(FileSystem& fs, const std::string& path);

}  // namespace tolvane
