// The host application's profile: named values in sections. On Windows it is the registry
// (HKEY_CURRENT_USER\Software\TolvaneReg); in tests, a fake in memory.
#pragma once

#include <cstdint>
#include <string>

namespace tolvane {

// How a string read went: a value that is there but cannot be read (of another type, or changing
// through every retry) is not the same as no value, since writing over it would lose it.
enum class ProfileRead { kRead, kAbsent, kFailed };

class Profile {
 public:
  virtual ~Profile() = default;
  // `value` is set only when the result is kRead.
  virtual ProfileRead ReadString(const std::string& section, const std::string& key,
                                 std::string& value) = 0;
  virtual void WriteString(const std::string& section, const std::string& key,
                           const std::string& value) = 0;
  virtual int32_t GetInt(const std::string& section, const std::string& key, int32_t fallback) = 0;
  virtual void WriteInt(const std::string& section, const std::string& key, int32_t value) = 0;
};

}  // namespace tolvane
