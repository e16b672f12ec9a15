#include "module_link.h"

namespace tolvane::host {

ModuleLink::~ModuleLink() {
  Destroy();
  if (library_ != nullptr) ::FreeLibrary(library_);
}

bool ModuleLink::Load() {
  wchar_t exe[MAX_PATH];
  const DWORD length = ::GetModuleFileNameW(nullptr, exe, MAX_PATH);
  std::wstring path(exe, length);
  path = path.substr(0, path.find_last_of(L"\\/") + 1) + L"TolvaneReg.dll";
  library_ = ::LoadLibraryW(path.c_str());
  if (library_ == nullptr) {
    error_ = "cannot load TolvaneReg.dll beside the program (error " +
             std::to_string(::GetLastError()) + ")";
    return false;
  }
  create_ = reinterpret_cast<CreateFn>(
      reinterpret_cast<void*>(::GetProcAddress(library_, "TolvaneRegCreate")));
  destroy_ = reinterpret_cast<DestroyFn>(
      reinterpret_cast<void*>(::GetProcAddress(library_, "TolvaneRegDestroy")));
  if (create_ == nullptr || destroy_ == nullptr) {
    error_ = "TolvaneReg.dll lacks the export TolvaneRegCreate or TolvaneRegDestroy";
    return false;
  }
  return true;
}

bool ModuleLink::Create(AutomationRoot* root, HostWorkspace* workspace) {
  table_ = create_(root, workspace);
  if (table_ == nullptr) error_ = "TolvaneRegCreate handed back no table";
  return table_ != nullptr;
}

void ModuleLink::Destroy() {
  if (table_ != nullptr && destroy_ != nullptr) destroy_(table_);
  table_ = nullptr;
}

}  // namespace tolvane::host
