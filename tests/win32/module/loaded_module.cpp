#include "module/loaded_module.h"

#include <stdexcept>
#include <vector>

namespace tolvane::testing {
namespace {

constexpr char kProfileRoot[] = "Software\\TolvaneReg";

}  // namespace

LoadedModule::LoadedModule() {
  module_ = ::LoadLibraryA("TolvaneReg.dll");
  if (module_ == nullptr) throw std::runtime_error("TolvaneReg.dll does not load");
  create_ = reinterpret_cast<CreateFn>(
      reinterpret_cast<void*>(::GetProcAddress(module_, "TolvaneRegCreate")));
  destroy_ = reinterpret_cast<DestroyFn>(
      reinterpret_cast<void*>(::GetProcAddress(module_, "TolvaneRegDestroy")));
  if (create_ == nullptr || destroy_ == nullptr) throw std::runtime_error("exports missing");
}

LoadedModule::~LoadedModule() {
  Unload();
}

void LoadedModule::Unload() {
  if (module_ != nullptr) ::FreeLibrary(module_);
  module_ = nullptr;
}

bool LoadedModule::Contains(const void* address) const {
  MEMORY_BASIC_INFORMATION info{};
  if (::VirtualQuery(address, &info, sizeof info) == 0) return false;
  return info.AllocationBase == module_;
}

int HelperWindowsOf(HWND parent) {
  int found = 0;
  for (HWND child = ::FindWindowExA(parent, nullptr, kHelperWindowClass, nullptr); child != nullptr;
       child = ::FindWindowExA(parent, child, kHelperWindowClass, nullptr)) {
    ++found;
  }
  return found;
}

void ClearModuleProfile() {
  ::RegDeleteTreeA(HKEY_CURRENT_USER, kProfileRoot);
}

bool ReadProfileValue(const std::string& section, const std::string& name, std::string& value,
                      DWORD* type) {
  HKEY key = nullptr;
  std::string path = std::string(kProfileRoot) + "\\" + section;
  if (::RegOpenKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS) {
    return false;
  }
  DWORD size = 0;
  DWORD valueType = 0;
  LONG status = ::RegQueryValueExA(key, name.c_str(), nullptr, &valueType, nullptr, &size);
  std::vector<char> buffer(size + 1, '\0');
  if (status == ERROR_SUCCESS) {
    status = ::RegQueryValueExA(key, name.c_str(), nullptr, &valueType,
                                reinterpret_cast<BYTE*>(buffer.data()), &size);
  }
  ::RegCloseKey(key);
  if (status != ERROR_SUCCESS) return false;
  value.assign(buffer.data(), size);
  if (valueType == REG_SZ && !value.empty() && value.back() == '\0') value.pop_back();
  if (type != nullptr) *type = valueType;
  return true;
}

void WriteProfileString(const std::string& section, const std::string& name,
                        const std::string& value) {
  HKEY key = nullptr;
  std::string path = std::string(kProfileRoot) + "\\" + section;
  ::RegCreateKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key,
                    nullptr);
  ::RegSetValueExA(key, name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                   static_cast<DWORD>(value.size() + 1));
  ::RegCloseKey(key);
}

}  // namespace tolvane::testing
