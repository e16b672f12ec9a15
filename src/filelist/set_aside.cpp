#include "filelist/set_aside.h"

#include <utility>

#include "filelist/file_list_format.h"

namespace tolvane {
namespace {

// Far more set-asides than anyone keeps; a bound so that a save cannot search for ever.
constexpr int kLastSetAsideNumber = 9999;

}  // namespace

std::string SetAsideName(const std::string& path, int number) {
  std::string name = path + file_list_format::kSetAsideSuffix;
  if (number > 0) name += std::to_string(number);
  return name;
}

bool SetAside(FileSystem& fs, const std::string& path, std::string& where) {
  for (int number = 0; number <= kLastSetAsideNumber; ++number) {
    std::string name = SetAsideName(path, number);
    if (fs.RenameToFreeName(path, name)) {
      where = std::move(name);
      return true;
    }
    // Nothing stands in the way of a free name: any other name would fail alike.
    if (!fs.Exists(name)) return false;
  }
  return false;
}

}  // namespace tolvane
