// The real TolvaneReg.dll as the Find dialog tests drive it: loaded afresh, created with the fake
// IDE (the histories are read from the profile), reached only through its table entries,
// destroyed (the histories are written back) and unloaded.
#pragma once

#include "harness/test_dialog.h"
#include "module/loaded_module.h"
#include "support/fake_ide.h"
#include "tolvane/tolvane.h"

namespace tolvane::testing {

class FindModule {
 public:
  FindModule();
  ~FindModule();
  FindModule(const FindModule&) = delete;
  FindModule& operator=(const FindModule&) = delete;

  template <typename Fn>
  Fn Entry(OpsIndex index) const {
    return TableEntry<Fn>(table_, index);
  }
  // Destroys the module now (the destructor then only unloads it).
  void Destroy();

 private:
  TestDialog mainWindow_;  // the IDE's main window, outlives the module
  FakeIde ide_;
  LoadedModule module_;
  OpsTable* table_ = nullptr;
};

}  // namespace tolvane::testing
