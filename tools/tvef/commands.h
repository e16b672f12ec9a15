// The tvef commands, over streams and the file-system seam so that tests can run them in full.
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

#include "filelist/file_system.h"

namespace tvef {

inline constexpr int kExitSuccess = 0;
inline constexpr int kExitInvalidFile = 1;
inline constexpr int kExitUsage = 2;  // also an input error: unreadable FILE, malformed line

struct Streams {
  std::istream& in;
  std::ostream& out;
  std::ostream& err;
};

// Runs tvef with its arguments (without the program name) and returns the exit status.
int RunTvef(const std::vector<std::string>& args, Streams streams, tolvane::FileSystem& fs);

}  // namespace tvef
