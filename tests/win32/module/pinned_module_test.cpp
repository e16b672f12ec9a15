// A host that subclasses its Find dialog and list over the module's own subclasses and then
// unloads the module: the module must stay loaded, since the host's procedures call the module's
// by address. Run in a process of its own (a pinned module never unloads).
#include <windows.h>

// needs windows.h first
#include <commctrl.h>

#include "module/module_fixture.h"
#include "support/fake_records.h"

namespace tolvane::testing {
namespace {

WNDPROC g_dialogBeneath = nullptr;
WNDPROC g_listBeneath = nullptr;

LRESULT CALLBACK HostDialogProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  return ::CallWindowProcA(g_dialogBeneath, hwnd, message, wParam, lParam);
}
LRESULT CALLBACK HostListProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  return ::CallWindowProcA(g_listBeneath, hwnd, message, wParam, lParam);
}

using PinnedModule = ModuleTest;

TEST_F(PinnedModule, ASubclassBuriedUnderTheHostsKeepsTheModuleLoaded) {
  CreateModule();
  TestDialog dialog;
  HWND list = dialog.AddList(1020, LVS_OWNERDATA);
  dialog.AddCombo(1021);
  FakeFileSource source;
  HostFileSource* sourceWord = &source;
  HostFileKeyArray keys{nullptr};
  ASSERT_TRUE(Entry<InitFindFileDialogFn>(kInitFindFileDialog)(dialog.Handle(), 1, nullptr, nullptr,
                                                               &sourceWord, &keys));
  g_dialogBeneath = reinterpret_cast<WNDPROC>(::SetWindowLongPtrA(
      dialog.Handle(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&HostDialogProcedure)));
  g_listBeneath = reinterpret_cast<WNDPROC>(
      ::SetWindowLongPtrA(list, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&HostListProcedure)));
  // The dialog's life goes on through the host's procedures into the module's.
  ::SendMessageA(list, LVM_SETITEMCOUNT, 3, 0);
  ::SendMessageA(dialog.Handle(), WM_NULL, 0, 0);
  DestroyModule();
  module.Unload();  // with the dialog still open

  EXPECT_NE(::GetModuleHandleA("TolvaneReg.dll"), nullptr);
  EXPECT_EQ(::SendMessageA(list, LVM_GETITEMCOUNT, 0, 0), 3);
  EXPECT_EQ(::SendMessageA(dialog.Handle(), WM_GETDLGCODE, 0, 0),
            ::CallWindowProcA(TestDialog::OwnProcedure(), dialog.Handle(), WM_GETDLGCODE, 0, 0));
}

}  // namespace
}  // namespace tolvane::testing
