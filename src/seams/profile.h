// The host application's profile: named values in sections. On Windows it is the registry
// (HKEY_CURRENT_USER\Software\TolvaneReg); in tests, a fake in memory.
#pragma once

#include <cstdint>
#include <string>

namespace tolvane {

class Profile {
 public:
  virtual ~Profile() = default;
  // The fallback comes back when the value is absent.
  virtual std::string GetString(const std::string& section, const std::string& key,
                                const std::string& fallback) = 0;
  virtual void WriteString(const std::string& section, const std::string& key,
                           const std::string& value) = 0;
  virtual int32_t GetInt(const std::string& section, const std::string& key,
                         int32_t fallback) = 0;
  virtual void WriteInt(const std::string& section, const std::string& key, int32_t value) = 0;
};

}  // namespace tolvane
