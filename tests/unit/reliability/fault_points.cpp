#include "unit/reliability/fault_points.h"

namespace tolvane::testing {

namespace {

const char* Name(FileFault fault) {
  switch (fault) {
    case FileFault::kExists:
      return "exists";
    case FileFault::kOpenForReading:
      return "open for reading";
    case FileFault::kOpenForWriting:
      return "open for writing";
    case FileFault::kRead:
      return "read";
    case FileFault::kShortRead:
      return "short read";
    case FileFault::kLength:
      return "length";
    case FileFault::kShortLength:
      return "short length";
    case FileFault::kLongLength:
      return "long length";
    case FileFault::kWrite:
      return "write";
    case FileFault::kShortWrite:
      return "short write";
    case FileFault::kZeroWrite:
      return "write of nothing";
    case FileFault::kCommit:
      return "commit";
    case FileFault::kRename:
      return "rename";
    case FileFault::kRemove:
      return "remove";
    case FileFault::kReadTimes:
      return "read times";
    case FileFault::kWriteTimes:
      return "write times";
  }
  return "?";
}

}  // namespace

std::string FaultPoint::Describe() const {
  if (nth == 0) return "no failure";
  return std::string(Name(kind)) + " #" + std::to_string(nth) + " fails";
}

}  // namespace tolvane::testing
