// The application profile in the registry: section S, value K is value K of key
// HKEY_CURRENT_USER\<root>\S, where a backslash in S nests keys. Strings are REG_SZ, integers
// REG_DWORD; a value of another type reads as absent.
#pragma once

#include <string>
#include <utility>

#include "seams/profile.h"

namespace tolvane {

class RegistryProfile : public Profile {
 public:
  static constexpr char kDefaultRoot[] = "Software\\TolvaneReg";

  explicit RegistryProfile(std::string root = kDefaultRoot) : root_(std::move(root)) {}

  std::string GetString(const std::string& section, const std::string& key,
                        const std::string& fallback) override;
  void WriteString(const std::string& section, const std::string& key,
                   const std::string& value) override;
  int32_t GetInt(const std::string& section, const std::string& key, int32_t fallback) override;
  void WriteInt(const std::string& section, const std::string& key, int32_t value) override;

 private:
  std::string KeyPath(const std::string& section) const;

  std::string root_;
};

}  // namespace tolvane
