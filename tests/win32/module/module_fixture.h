// A test host around the real DLL: the IDE's main window (a real top-level window), the fake
// automation model whose root the host hands over, and a freshly loaded module per test with
// an empty profile.
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
    module.Unload();
    PumpMessages();
    ClearModuleProfile();
  }

  template <typename Fn>
  static Fn Entry(const OpsTable* table, OpsIndex index) {
    return TableEntry<Fn>(table, index);
  }

  TestDialog mainWindow;  // outlives the module and the fake model
  FakeIde ide;
  LoadedModule module;
};

}  // namespace tolvane::testing
