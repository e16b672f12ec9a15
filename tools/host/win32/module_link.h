// TolvaneReg.dll as the host reaches it: loaded from beside the program, its two exports found by
// name, and the operation table they hand back.
#pragma once

#include <windows.h>

#include <string>

#include "tolvane/tolvane.h"

namespace tolvane::host {

class ModuleLink {
 public:
  ModuleLink() = default;
  ModuleLink(const ModuleLink&) = delete;
  ModuleLink& operator=(const ModuleLink&) = delete;
  ~ModuleLink();

  // Loads the library and finds both exports; on failure `Error()` says why.
  bool Load();
  // Calls TolvaneRegCreate; false when it hands back no table.
  bool Create(AutomationRoot* root, HostWorkspace* workspace);
  // Calls TolvaneRegDestroy once, if a table is held.
  void Destroy();

  const std::string& Error() const { return error_; }
  const OpsTable* Table() const { return table_; }
  template <typename Fn>
  Fn Entry(OpsIndex index) const {
    return TableEntry<Fn>(table_, index);
  }

 private:
  using CreateFn = OpsTable*(TOLVANE_CDECL*)(IDispatch*, HostWorkspace*);
  using DestroyFn = void(TOLVANE_CDECL*)(OpsTable*);

  HMODULE library_ = nullptr;
  CreateFn create_ = nullptr;
  DestroyFn destroy_ = nullptr;
  OpsTable* table_ = nullptr;
  std::string error_;
};

}  // namespace tolvane::host
