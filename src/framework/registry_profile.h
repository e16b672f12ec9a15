// The application profile in the registry: section S, value K is value K of key
// HKEY_CURRENT_USER\Software\TolvaneReg\S, where a backslash in S nests keys. Strings are REG_SZ,
// integers REG_DWORD; an integer of another type reads as absent and is never written over, a
// string of another type reads as unreadable.
#pragma once

#include <string>

#include "seams/profile.h"

namespace tolvane {

class RegistryProfile : public Profile {
 public:
  static constexpr char kRoot[] = "Software\\TolvaneReg";

  ProfileRead ReadString(const std::string& section, const std::string& key,
                         std::string& value) override;
  void WriteString(const std::string& section, const std::string& key,
                   const std::string& value) override;
  int32_t GetInt(const std::string& section, const std::string& key, int32_t fallback) override;
  void WriteInt(const std::string& section, const std::string& key, int32_t value) override;

 private:
  static std::string KeyPath(const std::string& section);
};

}  // namespace tolvane
