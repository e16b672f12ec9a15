// Notifications from attached controls reach the control objects before the dialog, on real
// windows.
#include <gtest/gtest.h>

#include <memory>

#include "framework/combo_box_ex.h"
#include "framework/list_ctrl.h"
#include "framework/window_table.h"
#include "harness/test_dialog.h"

// needs windows.h first
#include <commctrl.h>

namespace tolvane {
namespace {

using testing::TestDialog;

// Keeps CBN_EDITCHANGE from the dialog; lets every other notification through.
class EditChangeCombo : public CComboBoxEx {
 public:
  int editChanges = 0;
  int otherNotifications = 0;
  bool OnReflectedNotification(UINT message, WPARAM wParam, LPARAM, LRESULT& result) override {
    if (message == WM_COMMAND && HIWORD(wParam) == CBN_EDITCHANGE) {
      ++editChanges;
      result = 0;
      return true;
    }
    ++otherNotifications;
    return false;
  }
};

// Answers the list's display requests itself; the answer comes back to the sender.
class DisplayList : public CListCtrl {
 public:
  int requests = 0;
  bool OnReflectedNotification(UINT message, WPARAM, LPARAM lParam, LRESULT& result) override {
    if (message != WM_NOTIFY) return false;
    if (reinterpret_cast<const NMHDR*>(lParam)->code != LVN_GETDISPINFOA) return false;
    ++requests;
    result = 42;
    return true;
  }
};

LRESULT SendNotify(HWND dialog, HWND from, int id, int code) {
  NMHDR header{from, static_cast<UINT_PTR>(id), static_cast<UINT>(code)};
  return ::SendMessageA(dialog, WM_NOTIFY, static_cast<WPARAM>(id),
                        reinterpret_cast<LPARAM>(&header));
}

TEST(Reflection, TypingInTheEditFieldReachesTheComboObjectAndNotTheDialog) {
  TestDialog dialog;
  HWND comboWindow = dialog.AddCombo(1021);
  EditChangeCombo combo;
  ASSERT_TRUE(combo.AttachToDialogItem(dialog.Handle(), 1021));
  EXPECT_EQ(combo.Handle(), comboWindow);

  ::SendMessageA(testing::EditFieldOf(combo.Handle()), WM_CHAR, 'a',
                 0);  // the combo box sends CBN_EDITCHANGE

  EXPECT_EQ(combo.editChanges, 1);
  EXPECT_FALSE(dialog.ReceivedCode(WM_COMMAND, 1021, CBN_EDITCHANGE));
  EXPECT_EQ(testing::WindowText(combo.Handle()), "a");
}

// One the combo object lets through, and one from a control without an object.
TEST(Reflection, NotificationsNoObjectTakesStillReachTheDialog) {
  TestDialog dialog;
  HWND comboWindow = dialog.AddCombo(1021);
  HWND other = dialog.AddCombo(1052);
  EditChangeCombo combo;
  ASSERT_TRUE(combo.AttachToDialogItem(dialog.Handle(), 1021));
  const struct {
    HWND from;
    WORD id, code;
  } sent[] = {{comboWindow, 1021, CBN_SELCHANGE}, {other, 1052, CBN_EDITCHANGE}};

  for (const auto& command : sent) {
    ::SendMessageA(dialog.Handle(), WM_COMMAND, MAKEWPARAM(command.id, command.code),
                   reinterpret_cast<LPARAM>(command.from));
    EXPECT_TRUE(dialog.ReceivedCode(WM_COMMAND, command.id, command.code)) << command.id;
  }
  EXPECT_EQ(combo.otherNotifications, 1);
  EXPECT_EQ(combo.editChanges, 0);
}

TEST(Reflection, NotifyResultComesFromTheListObject) {
  TestDialog dialog;
  HWND listWindow = dialog.AddList(1020);
  DisplayList list;
  ASSERT_TRUE(list.AttachToDialogItem(dialog.Handle(), 1020));

  EXPECT_EQ(SendNotify(dialog.Handle(), listWindow, 1020, LVN_GETDISPINFOA), 42);
  EXPECT_EQ(list.requests, 1);
  EXPECT_FALSE(dialog.ReceivedCode(WM_NOTIFY, 1020, LVN_GETDISPINFOA));

  SendNotify(dialog.Handle(), listWindow, 1020, NM_CLICK);
  EXPECT_TRUE(dialog.ReceivedCode(WM_NOTIFY, 1020, NM_CLICK));
}

TEST(Reflection, DialogIsSubclassedOnceAndGetsItsProcedureBackWhenTheLastControlLeaves) {
  TestDialog dialog;
  dialog.AddCombo(1051);
  dialog.AddCombo(1052);
  dialog.AddList(1050);
  auto procedure = [&] { return ::GetWindowLongPtrA(dialog.Handle(), GWLP_WNDPROC); };
  const LONG_PTR own = reinterpret_cast<LONG_PTR>(TestDialog::OwnProcedure());

  auto parent = std::make_unique<EditChangeCombo>();
  auto tag = std::make_unique<EditChangeCombo>();
  auto list = std::make_unique<DisplayList>();
  ASSERT_TRUE(parent->AttachToDialogItem(dialog.Handle(), 1051));
  const LONG_PTR reflecting = procedure();
  EXPECT_NE(reflecting, own);
  ASSERT_TRUE(tag->AttachToDialogItem(dialog.Handle(), 1052));
  ASSERT_TRUE(list->AttachToDialogItem(dialog.Handle(), 1050));
  EXPECT_EQ(procedure(), reflecting);

  parent.reset();
  list.reset();
  EXPECT_EQ(procedure(), reflecting);
  tag.reset();
  EXPECT_EQ(procedure(), own);
}

// Another subclasser that captured our procedure may put it back after we have let go of the
// dialog; the dialog must then still reach its own processing, through to its destruction.
TEST(Reflection, OurProcedurePutBackAfterWeLetGoPassesMessagesOnToTheDialog) {
  auto dialog = std::make_unique<TestDialog>();
  HWND dialogWindow = dialog->Handle();
  HWND listWindow = dialog->AddList(1020);
  const LONG_PTR own = reinterpret_cast<LONG_PTR>(TestDialog::OwnProcedure());
  auto list = std::make_unique<DisplayList>();
  ASSERT_TRUE(list->AttachToDialogItem(dialogWindow, 1020));
  const LONG_PTR reflecting = ::GetWindowLongPtrA(dialogWindow, GWLP_WNDPROC);
  list.reset();
  ASSERT_EQ(::GetWindowLongPtrA(dialogWindow, GWLP_WNDPROC), own);

  ::SetWindowLongPtrA(dialogWindow, GWLP_WNDPROC, reflecting);
  SendNotify(dialogWindow, listWindow, 1020, NM_CLICK);
  EXPECT_TRUE(dialog->ReceivedCode(WM_NOTIFY, 1020, NM_CLICK));

  // Attached again, over our own procedure: it must not pass messages on to itself.
  list = std::make_unique<DisplayList>();
  ASSERT_TRUE(list->AttachToDialogItem(dialogWindow, 1020));
  dialog->ClearReceived();
  EXPECT_EQ(SendNotify(dialogWindow, listWindow, 1020, LVN_GETDISPINFOA), 42);
  SendNotify(dialogWindow, listWindow, 1020, NM_CLICK);
  EXPECT_TRUE(dialog->ReceivedCode(WM_NOTIFY, 1020, NM_CLICK));
  list.reset();
  EXPECT_EQ(::GetWindowLongPtrA(dialogWindow, GWLP_WNDPROC), own);

  ::SetWindowLongPtrA(dialogWindow, GWLP_WNDPROC, reflecting);  // and put back once more
  dialog.reset();  // destroyed with our procedure still in place
  EXPECT_FALSE(::IsWindow(dialogWindow));
}

TEST(Reflection, DeletingTheObjectGivesTheControlItsOwnProcedureBack) {
  TestDialog dialog;
  HWND comboWindow = dialog.AddCombo(1021);
  const LONG_PTR own = ::GetWindowLongPtrA(comboWindow, GWLP_WNDPROC);
  {
    EditChangeCombo combo;
    ASSERT_TRUE(combo.AttachToDialogItem(dialog.Handle(), 1021));
    EXPECT_NE(::GetWindowLongPtrA(comboWindow, GWLP_WNDPROC), own);
    EXPECT_EQ(CWnd::FromHandle(comboWindow), &combo);
  }
  EXPECT_EQ(::GetWindowLongPtrA(comboWindow, GWLP_WNDPROC), own);
  EXPECT_EQ(CWnd::FromHandle(comboWindow), nullptr);
  EXPECT_TRUE(::IsWindow(comboWindow));  // attached, not owned: the window stays

  ::SendMessageA(::GetWindow(comboWindow, GW_CHILD), WM_CHAR, 'b', 0);
  EXPECT_TRUE(dialog.ReceivedCode(WM_COMMAND, 1021, CBN_EDITCHANGE));
}

TEST(Reflection, DestroyingTheDialogLeavesTheObjectsWithoutWindows) {
  auto dialog = std::make_unique<TestDialog>();
  dialog->AddCombo(1021);
  dialog->AddList(1020);
  EditChangeCombo combo;
  DisplayList list;
  ASSERT_TRUE(combo.AttachToDialogItem(dialog->Handle(), 1021));
  ASSERT_TRUE(list.AttachToDialogItem(dialog->Handle(), 1020));

  dialog.reset();

  EXPECT_EQ(combo.Handle(), nullptr);
  EXPECT_EQ(list.Handle(), nullptr);
}

// A host may move a control out of its dialog: the dialog goes first, and the control's object
// lets go of it later, when the dialog's record is long gone.
TEST(Reflection, AControlMovedOutOfItsDialogOutlivesIt) {
  TestDialog elsewhere;
  auto dialog = std::make_unique<TestDialog>();
  HWND comboWindow = dialog->AddCombo(1021);
  const LONG_PTR own = ::GetWindowLongPtrA(comboWindow, GWLP_WNDPROC);
  auto combo = std::make_unique<EditChangeCombo>();
  ASSERT_TRUE(combo->AttachToDialogItem(dialog->Handle(), 1021));
  HWND dialogWindow = dialog->Handle();
  ::SetParent(comboWindow, elsewhere.Handle());

  dialog.reset();
  EXPECT_EQ(TheWindowTable().Find(dialogWindow), nullptr);
  EXPECT_EQ(combo->Handle(), comboWindow);

  combo.reset();
  EXPECT_EQ(::GetWindowLongPtrA(comboWindow, GWLP_WNDPROC), own);
  EXPECT_EQ(TheWindowTable().Find(comboWindow), nullptr);
}

TEST(Reflection, AttachingToAMissingItemOrTwiceFails) {
  TestDialog dialog;
  dialog.AddList(1020);
  DisplayList list;
  EXPECT_FALSE(list.AttachToDialogItem(dialog.Handle(), 1099));
  ASSERT_TRUE(list.AttachToDialogItem(dialog.Handle(), 1020));
  DisplayList second;
  EXPECT_FALSE(second.AttachToDialogItem(dialog.Handle(), 1020));
  EXPECT_EQ(second.Handle(), nullptr);
}

}  // namespace
}  // namespace tolvane
