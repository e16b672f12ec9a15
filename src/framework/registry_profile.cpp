#include "framework/registry_profile.h"

#include <windows.h>

#include <vector>

namespace tolvane {
namespace {

// Closes the key when it goes out of scope.
class OpenKey {
 public:
  OpenKey() = default;
  OpenKey(const OpenKey&) = delete;
  OpenKey& operator=(const OpenKey&) = delete;
  ~OpenKey() {
    if (key_ != nullptr) ::RegCloseKey(key_);
  }
  LONG Open(const std::string& path) {
    return ::RegOpenKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, KEY_QUERY_VALUE, &key_);
  }
  bool Create(const std::string& path) {
    return ::RegCreateKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                             KEY_SET_VALUE | KEY_QUERY_VALUE, nullptr, &key_,
                             nullptr) == ERROR_SUCCESS;
  }
  HKEY get() const { return key_; }

 private:
  HKEY key_ = nullptr;
};

}  // namespace

// Every section is named: the histories' and each dialog's layout.
std::string RegistryProfile::KeyPath(const std::string& section) {
  return std::string(kRoot) + "\\" + section;
}

ProfileRead RegistryProfile::ReadString(const std::string& section, const std::string& key,
                                        std::string& value) {
  OpenKey opened;
  const LONG openStatus = opened.Open(KeyPath(section));
  if (openStatus == ERROR_FILE_NOT_FOUND) return ProfileRead::kAbsent;
  if (openStatus != ERROR_SUCCESS) return ProfileRead::kFailed;
  // Another writer (another instance of the IDE) may lengthen the value between the size query
  // and the read: the size is asked again and the read retried, a bounded number of times.
  for (int attempt = 0; attempt < 8; ++attempt) {
    DWORD type = 0;
    DWORD size = 0;
    const LONG sizeStatus =
        ::RegQueryValueExA(opened.get(), key.c_str(), nullptr, &type, nullptr, &size);
    if (sizeStatus == ERROR_FILE_NOT_FOUND) return ProfileRead::kAbsent;
    if (sizeStatus != ERROR_SUCCESS || type != REG_SZ) return ProfileRead::kFailed;
    std::vector<char> buffer(size + 1, '\0');
    const LONG status = ::RegQueryValueExA(opened.get(), key.c_str(), nullptr, &type,
                                           reinterpret_cast<BYTE*>(buffer.data()), &size);
    if (status == ERROR_MORE_DATA) continue;
    if (status == ERROR_FILE_NOT_FOUND) return ProfileRead::kAbsent;  // deleted meanwhile
    if (status != ERROR_SUCCESS || type != REG_SZ) return ProfileRead::kFailed;
    // The stored size may or may not count a terminator.
    value.assign(buffer.data(), size);
    while (!value.empty() && value.back() == '\0') value.pop_back();
    return ProfileRead::kRead;
  }
  return ProfileRead::kFailed;
}

void RegistryProfile::WriteString(const std::string& section, const std::string& key,
                                  const std::string& value) {
  OpenKey created;
  if (!created.Create(KeyPath(section))) return;
  ::RegSetValueExA(created.get(), key.c_str(), 0, REG_SZ,
                   reinterpret_cast<const BYTE*>(value.c_str()),
                   static_cast<DWORD>(value.size() + 1));
}

int32_t RegistryProfile::GetInt(const std::string& section, const std::string& key,
                                int32_t fallback) {
  OpenKey opened;
  if (opened.Open(KeyPath(section)) != ERROR_SUCCESS) return fallback;
  DWORD type = 0;
  DWORD value = 0;
  DWORD size = sizeof value;
  if (::RegQueryValueExA(opened.get(), key.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(&value),
                         &size) != ERROR_SUCCESS ||
      type != REG_DWORD || size != sizeof value) {
    return fallback;
  }
  return static_cast<int32_t>(value);
}

void RegistryProfile::WriteInt(const std::string& section, const std::string& key, int32_t value) {
  OpenKey created;
  if (!created.Create(KeyPath(section))) return;
  // A value that GetInt could not read (another type or size) is left as it is: writing over it
  // would lose what someone stored there.
  DWORD type = 0;
  DWORD size = 0;
  const LONG present =
      ::RegQueryValueExA(created.get(), key.c_str(), nullptr, &type, nullptr, &size);
  if (present != ERROR_FILE_NOT_FOUND &&
      (present != ERROR_SUCCESS || type != REG_DWORD || size != sizeof(DWORD))) {
    return;
  }
  DWORD stored = static_cast<DWORD>(value);
  ::RegSetValueExA(created.get(), key.c_str(), 0, REG_DWORD, reinterpret_cast<const BYTE*>(&stored),
                   sizeof stored);
}

}  // namespace tolvane
