// The framework's records of its windows go with the windows: a later window given a destroyed
// window's handle value must never find that window's object, procedure or reflection. Each
// test starts with a framework state of its own (framework_environment.cpp).
#include "framework/window_table.h"

#include <gtest/gtest.h>

#include <memory>

#include "framework/combo_box_ex.h"
#include "framework/list_ctrl.h"
#include "harness/test_dialog.h"

namespace tolvane {
namespace {

using testing::TestDialog;

// Someone else's subclass put over ours, as another add-in might.
WNDPROC procedureUnderneath = nullptr;
LRESULT CALLBACK OuterProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  return ::CallWindowProcA(procedureUnderneath, hwnd, message, wParam, lParam);
}
void SubclassOver(HWND hwnd) {
  procedureUnderneath = reinterpret_cast<WNDPROC>(
      ::SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&OuterProcedure)));
}

TEST(WindowTable, AWindowDestroyedUnderItsObjectsLeavesNoRecord) {
  auto dialog = std::make_unique<TestDialog>();
  HWND dialogWindow = dialog->Handle();
  HWND comboWindow = dialog->AddCombo(1021);
  HWND listWindow = dialog->AddList(1020);
  CComboBoxEx combo;  // asks for pre-translation too
  CListCtrl list;
  CWnd created;
  ASSERT_TRUE(combo.AttachToDialogItem(dialogWindow, 1021));
  ASSERT_TRUE(list.AttachToDialogItem(dialogWindow, 1020));
  ASSERT_TRUE(created.CreateChild(dialogWindow, "", 0, RECT{0, 0, 0, 0}, 7));
  HWND createdWindow = created.Handle();
  ASSERT_NE(TheWindowTable().Find(dialogWindow), nullptr);

  dialog.reset();

  for (HWND gone : {dialogWindow, comboWindow, listWindow, createdWindow}) {
    EXPECT_EQ(TheWindowTable().Find(gone), nullptr);
    EXPECT_EQ(CWnd::FromHandle(gone), nullptr);
  }
}

TEST(WindowTable, SubclassesThatCouldNotBeUndoneAreForgottenWithTheirWindows) {
  auto dialog = std::make_unique<TestDialog>();
  HWND dialogWindow = dialog->Handle();
  HWND comboWindow = dialog->AddCombo(1021);
  auto combo = std::make_unique<CComboBoxEx>();
  ASSERT_TRUE(combo->AttachToDialogItem(dialogWindow, 1021));
  SubclassOver(comboWindow);
  // Deleting the object cannot take our procedure out from under the outer one.
  combo.reset();
  EXPECT_EQ(CWnd::FromHandle(comboWindow), nullptr);
  // The combo box still reaches its own procedure through ours.
  EXPECT_EQ(::SendMessageA(comboWindow, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>("kept")), 0);
  EXPECT_EQ(::SendMessageA(comboWindow, CB_GETCOUNT, 0, 0), 1);
  ASSERT_NE(TheWindowTable().Find(comboWindow), nullptr);

  dialog.reset();

  EXPECT_EQ(TheWindowTable().Find(comboWindow), nullptr);
  EXPECT_EQ(TheWindowTable().Find(dialogWindow), nullptr);
}

TEST(WindowTable, ADialogStillSubclassedAfterItsLastControlLeftIsForgottenWhenDestroyed) {
  auto dialog = std::make_unique<TestDialog>();
  HWND dialogWindow = dialog->Handle();
  dialog->AddList(1020);
  auto list = std::make_unique<CListCtrl>();
  ASSERT_TRUE(list->AttachToDialogItem(dialogWindow, 1020));
  SubclassOver(dialogWindow);
  list.reset();
  ASSERT_NE(TheWindowTable().Find(dialogWindow), nullptr);  // ours stays under the outer subclass

  dialog.reset();

  EXPECT_EQ(TheWindowTable().Find(dialogWindow), nullptr);
}

TEST(WindowTable, ObjectsLettingGoLeaveNoRecord) {
  TestDialog dialog;
  HWND comboWindow = dialog.AddCombo(1021);
  HWND listWindow = dialog.AddList(1020);
  {
    CComboBoxEx combo;
    CListCtrl list;
    ASSERT_TRUE(combo.AttachToDialogItem(dialog.Handle(), 1021));
    ASSERT_TRUE(list.AttachToDialogItem(dialog.Handle(), 1020));
    EXPECT_EQ(list.Detach(), listWindow);
    EXPECT_EQ(TheWindowTable().Find(listWindow), nullptr);
  }
  EXPECT_EQ(TheWindowTable().Find(comboWindow), nullptr);
  EXPECT_EQ(TheWindowTable().Find(dialog.Handle()), nullptr);
}

}  // namespace
}  // namespace tolvane
