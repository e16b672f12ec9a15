// The thread's message hook offers queued messages for a combo box and its edit field to the
// combo object; a consumed message is never dispatched.
#include "framework/pre_translate_hook.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "framework/combo_box_ex.h"
#include "harness/test_dialog.h"

namespace tolvane {
namespace {

using testing::PumpMessages;
using testing::TestDialog;

// Consumes the character 'x'; records the characters and application messages it is offered
// (painting and timer messages come and go with the platform).
class FilteringCombo : public CComboBoxEx {
 public:
  std::vector<MSG> offered;
  bool PreTranslateMessage(MSG& message) override {
    if (message.message == WM_CHAR || message.message >= WM_USER) offered.push_back(message);
    return message.message == WM_CHAR && message.wParam == 'x';
  }
};

TEST(PreTranslateHook, ConsumedCharacterNeverReachesTheEditField) {
  TestDialog dialog;
  dialog.AddCombo(1021);
  FilteringCombo combo;
  ASSERT_TRUE(combo.AttachToDialogItem(dialog.Handle(), 1021));
  HWND edit = combo.EditField();
  ASSERT_NE(edit, nullptr);

  ::PostMessageA(edit, WM_CHAR, 'x', 0);
  ::PostMessageA(edit, WM_CHAR, 'y', 0);
  PumpMessages();

  EXPECT_EQ(combo.GetWindowText(), "y");
  ASSERT_EQ(combo.offered.size(), 2u);
  EXPECT_EQ(combo.offered[0].hwnd, edit);
  EXPECT_EQ(combo.offered[0].wParam, WPARAM('x'));
}

TEST(PreTranslateHook, MessagesForTheComboBoxItselfAreOfferedToo) {
  TestDialog dialog;
  dialog.AddCombo(1021);
  FilteringCombo combo;
  ASSERT_TRUE(combo.AttachToDialogItem(dialog.Handle(), 1021));

  ::PostMessageA(combo.Handle(), WM_USER + 7, 1, 2);
  PumpMessages();

  ASSERT_EQ(combo.offered.size(), 1u);
  EXPECT_EQ(combo.offered[0].hwnd, combo.Handle());
  EXPECT_EQ(combo.offered[0].message, UINT(WM_USER + 7));
}

TEST(PreTranslateHook, SentMessagesAndOtherWindowsAreNotOffered) {
  TestDialog dialog;
  dialog.AddCombo(1021);
  HWND other = dialog.AddCombo(1052);
  FilteringCombo combo;
  ASSERT_TRUE(combo.AttachToDialogItem(dialog.Handle(), 1021));

  ::SendMessageA(combo.EditField(), WM_CHAR, 'x', 0);  // sent: no loop involved
  ::PostMessageA(::GetWindow(other, GW_CHILD), WM_CHAR, 'x', 0);
  ::PostMessageA(dialog.Handle(), WM_USER + 3, 0, 0);
  PumpMessages();

  EXPECT_TRUE(combo.offered.empty());
  EXPECT_EQ(combo.GetWindowText(), "x");
  char text[8] = {};
  ::GetWindowTextA(other, text, sizeof text);
  EXPECT_STREQ(text, "x");
}

TEST(PreTranslateHook, InstalledWhileAComboTakesPartAndRemovedAfterTheLast) {
  TestDialog dialog;
  dialog.AddCombo(1051);
  dialog.AddCombo(1052);
  auto first = std::make_unique<FilteringCombo>();
  auto second = std::make_unique<FilteringCombo>();
  ASSERT_FALSE(PreTranslateHook::Instance().Installed());
  ASSERT_TRUE(first->AttachToDialogItem(dialog.Handle(), 1051));
  ASSERT_TRUE(second->AttachToDialogItem(dialog.Handle(), 1052));
  EXPECT_TRUE(PreTranslateHook::Instance().Installed());

  HWND edit = first->EditField();
  first.reset();
  EXPECT_TRUE(PreTranslateHook::Instance().Installed());
  ::PostMessageA(edit, WM_CHAR, 'x', 0);  // its object is gone: the character arrives
  PumpMessages();
  char text[8] = {};
  ::GetWindowTextA(edit, text, sizeof text);
  EXPECT_STREQ(text, "x");

  second.reset();
  EXPECT_FALSE(PreTranslateHook::Instance().Installed());
}

}  // namespace
}  // namespace tolvane
