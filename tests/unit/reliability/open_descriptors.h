// The number of file descriptors the process holds, to catch a file left open. Natively only;
// elsewhere -1, and checks that compare it are skipped.
#pragma once

#ifndef _WIN32
#include <filesystem>
#endif

namespace tolvane::testing {

inline int OpenDescriptors() {
#ifndef _WIN32
  int count = 0;
  std::error_code error;
  for (auto it = std::filesystem::directory_iterator("/proc/self/fd", error);
       !error && it != std::filesystem::directory_iterator(); it.increment(error))
    ++count;
  return error ? -1 : count;
#else
  return -1;
#endif
}

}  // namespace tolvane::testing
