// Where a list file the module could not read goes, so that the user can still find it: beside
// it, under its ".old" name, or, when that name is taken (an earlier set-aside, a folder, a
// read-only file), under the first free one of ".old1", ".old2", ... Nothing already there is
// ever replaced, so every list set aside stays until the user removes it.
#pragma once

#include <string>

#include "filelist/file_system.h"

namespace tolvane {

// The path with ".old" appended for 0, with ".old" and the number for 1 and above.
std::string SetAsideName(const std::string& path, int number);

// Moves the file at `path` to the first set-aside name that takes it and gives that name in
// `where`. False, with the file left at its path, when a free name does not take it (the move
// itself fails) or every name up to a bound is taken.
bool SetAside(FileSystem& fs, const std::string& path, std::string& where);

}  // namespace tolvane
