// The test host's hold on the real TolvaneReg.dll: loaded with LoadLibrary, its two exports
// found with GetProcAddress, unloaded when the object goes (so each test starts from a freshly
// loaded module), and the helpers a host needs to call the table's entries.
#pragma once

#include <windows.h>

#include <string>

#include "tolvane/tolvane.h"

namespace tolvane::testing {

using CreateFn = OpsTable*(TOLVANE_CDECL*)(IDispatch*, HostWorkspace*);
using DestroyFn = void(TOLVANE_CDECL*)(OpsTable*);

class LoadedModule {
 public:
  LoadedModule();
  ~LoadedModule();
  LoadedModule(const LoadedModule&) = delete;
  LoadedModule& operator=(const LoadedModule&) = delete;

  HMODULE Handle() const { return module_; }
  OpsTable* Create(IDispatch* root, HostWorkspace* workspace = nullptr) const {
    return create_(root, workspace);
  }
  void Destroy(OpsTable* table) const { destroy_(table); }
  // Unloads now; the destructor then does nothing.
  void Unload();
  // True when `address` lies inside the loaded DLL's image.
  bool Contains(const void* address) const;

 private:
  HMODULE module_ = nullptr;
  CreateFn create_ = nullptr;
  DestroyFn destroy_ = nullptr;
};

// The module's window class, as its helper window shows it.
inline constexpr char kHelperWindowClass[] = "TolvaneRegWnd";

// Child windows of `parent` with the module's window class.
int HelperWindowsOf(HWND parent);

// The registry key the module's profile lives in, emptied.
void ClearModuleProfile();
// Reads HKEY_CURRENT_USER\Software\TolvaneReg\<section>, value `name`, as a string; `type`
// receives its registry type. False when absent.
bool ReadProfileValue(const std::string& section, const std::string& name, std::string& value,
                      DWORD* type = nullptr);
void WriteProfileString(const std::string& section, const std::string& name,
                        const std::string& value);

}  // namespace tolvane::testing
