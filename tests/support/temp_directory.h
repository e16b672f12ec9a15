// A fresh directory under the system's temporary directory, removed with everything in it when
// the object goes away. Works natively and under Wine.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace tolvane::testing {

class TempDirectory {
 public:
  TempDirectory();
  ~TempDirectory();
  TempDirectory(const TempDirectory&) = delete;
  TempDirectory& operator=(const TempDirectory&) = delete;

  const std::string& path() const { return path_; }
  // `name` inside the directory, joined with the platform's separator.
  std::string File(const std::string& name) const;

 private:
  std::string path_;
};

// Small whole-file helpers for tests, independent of the code under test.
std::vector<uint8_t> ReadBytes(const std::string& path);
void WriteBytes(const std::string& path, const std::vector<uint8_t>& bytes);
bool FileExists(const std::string& path);

}  // namespace tolvane::testing
