// A test host around the real DLL: the IDE's main window (a real top-level window), the fake
// automation model whose root the host hands over, and a freshly loaded module per test with
// an empty profile. Tests either call the exports themselves or let CreateModule make the table
// that Entry(index) reads.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "harness/test_dialog.h"
#include "module/loaded_module.h"
#include "support/fake_ide.h"

namespace tolvane::testing {

class ModuleTest : public ::testing::Test {
 protected:
  ModuleTest() {
    ClearModuleProfile();
    ide.SetMainWindowHandle(mainWindow.Handle());
  }
  ~ModuleTest() override {
    DestroyModule();
    module.Unload();
    PumpMessages();
    ClearModuleProfile();
  }

  template <typename Fn>
  static Fn Entry(const OpsTable* table, OpsIndex index) {
    return TableEntry<Fn>(table, index);
  }

  // Creates the module through its export (histories and widths are read from the profile then)
  // and runs the host's loop for the helper window's finish request.
  void CreateModule() {
    created = module.Create(ide.RootDispatch());
    ASSERT_NE(created, nullptr);
    PumpMessages();
  }
  // Destroys what CreateModule made (the histories are written back); nothing when none.
  void DestroyModule() {
    if (created == nullptr) return;
    module.Destroy(created);
    created = nullptr;
  }
  // Entry `index` of the table CreateModule made.
  template <typename Fn>
  Fn Entry(OpsIndex index) const {
    return TableEntry<Fn>(created, index);
  }

  TestDialog mainWindow;  // outlives the module and the fake model
  FakeIde ide;
  LoadedModule module;
  OpsTable* created = nullptr;  // by CreateModule
};

}  // namespace tolvane::testing
