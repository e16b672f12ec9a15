// Keys typed into the Find File combo box steer the list; its text changes reach the dialog as
// NM_CHAR. Real key-downs are posted to the edit field and the host's loop is pumped.
#include <windows.h>

// needs windows.h first
#include <commctrl.h>
#include <gtest/gtest.h>

#include <algorithm>

#include "find_dialog_fixtures.h"
#include "key_recorder.h"
#include "keyboard.h"

namespace tolvane::testing {
namespace {

class FindFileKeys : public FindFileTest {
 protected:
  void OpenWithRows(int rows) {
    MakeFiles(rows);
    Open(rows, 110);  // a few rows visible: End must scroll
    listKeys = std::make_unique<KeyRecorder>(list);
    editKeys = std::make_unique<KeyRecorder>(EditOf(combo));
    SetEditText(combo, "abc", 1);
    PumpMessages();
    dialog.ClearReceived();
  }
  void Type(UINT key) {
    PostKeyDown(EditOf(combo), key);
    PumpMessages();
  }
  void TearDown() override {
    listKeys.reset();
    editKeys.reset();
    FindFileTest::TearDown();
  }

  std::unique_ptr<KeyRecorder> listKeys;
  std::unique_ptr<KeyRecorder> editKeys;
};

TEST_F(FindFileKeys, DownWithTheDropDownClosedGoesToTheListOnly) {
  OpenWithRows(10);
  SetRowState(list, 0, LVIS_SELECTED | LVIS_FOCUSED);

  Type(VK_DOWN);

  ASSERT_EQ(listKeys->Keys().size(), 1u);
  EXPECT_EQ(listKeys->Keys()[0].message, UINT(WM_KEYDOWN));
  EXPECT_EQ(listKeys->Keys()[0].wParam, WPARAM(VK_DOWN));
  EXPECT_EQ(listKeys->Keys()[0].lParam, KeyData(VK_DOWN));           // same key data as typed
  EXPECT_EQ(RowState(list, 1), UINT(LVIS_SELECTED | LVIS_FOCUSED));  // the list moved
  EXPECT_TRUE(editKeys->Keys().empty());
  EXPECT_EQ(EditText(combo), "abc");
  EXPECT_EQ(Caret(combo), 1);
}

TEST_F(FindFileKeys, PageKeysAndUpGoToTheListOnly) {
  OpenWithRows(10);
  for (UINT key : {UINT(VK_PRIOR), UINT(VK_NEXT), UINT(VK_UP)}) Type(key);
  EXPECT_EQ(listKeys->KeyDowns(), (std::vector<WPARAM>{VK_PRIOR, VK_NEXT, VK_UP}));
  EXPECT_TRUE(editKeys->Keys().empty());
}

TEST_F(FindFileKeys, DownWithTheDropDownShowingMovesTheDropDownNotTheList) {
  ClearModuleProfile();
  WriteProfileString("Config", "FilenameEditList", "one|two|three|");
  CreateModule();
  OpenWithRows(10);
  ::SendMessageA(combo, CB_SHOWDROPDOWN, TRUE, 0);
  PumpMessages();
  ASSERT_TRUE(::SendMessageA(combo, CB_GETDROPPEDSTATE, 0, 0));
  const LRESULT before = ::SendMessageA(combo, CB_GETCURSEL, 0, 0);

  Type(VK_DOWN);

  EXPECT_TRUE(listKeys->Keys().empty());
  EXPECT_EQ(editKeys->KeyDowns(), std::vector<WPARAM>{VK_DOWN});
  EXPECT_NE(::SendMessageA(combo, CB_GETCURSEL, 0, 0), before);
  ::SendMessageA(combo, CB_SHOWDROPDOWN, FALSE, 0);
  PumpMessages();
}

TEST_F(FindFileKeys, CtrlEndSelectsTheLastRowAndScrollsItFullyIntoView) {
  OpenWithRows(10);
  SetRowState(list, 3, LVIS_SELECTED | LVIS_FOCUSED);
  ASSERT_FALSE(RowFullyVisible(list, 9));
  {
    HeldCtrl ctrl;
    listKeys->Clear();
    editKeys->Clear();
    Type(VK_END);
  }

  EXPECT_EQ(RowState(list, 3), 0u);
  EXPECT_EQ(RowState(list, 9), UINT(LVIS_SELECTED | LVIS_FOCUSED));
  EXPECT_TRUE(RowFullyVisible(list, 9));
  EXPECT_TRUE(listKeys->KeyDowns().empty() ||
              listKeys->KeyDowns() == std::vector<WPARAM>{VK_CONTROL});  // End not forwarded
  EXPECT_TRUE(editKeys->KeyDowns().empty() ||
              editKeys->KeyDowns() == std::vector<WPARAM>{VK_CONTROL});  // End consumed
  EXPECT_EQ(Caret(combo), 1);
}

// A posted key-down is retrieved before the input that follows it: the hook must ask for the
// Ctrl key's state as it is when it runs, not as the thread's queue last recorded it.
TEST_F(FindFileKeys, CtrlIsReadWhenTheHookRunsNotWhenTheKeyWasQueued) {
  OpenWithRows(10);
  ::ShowWindow(dialog.Handle(), SW_SHOW);
  ::SetForegroundWindow(dialog.Handle());
  ::SetFocus(EditOf(combo));
  PumpMessages();
  PostKeyDown(EditOf(combo), VK_END);
  PressCtrl();
  PumpMessages();
  EXPECT_EQ(RowState(list, 9), UINT(LVIS_SELECTED | LVIS_FOCUSED));
  EXPECT_EQ(Caret(combo), 1);

  SetRowState(list, 9, 0);
  PostKeyDown(EditOf(combo), VK_END);
  ReleaseCtrl();
  PumpMessages();
  EXPECT_EQ(RowState(list, 9), 0u);
  EXPECT_EQ(Caret(combo), 3);
}

TEST_F(FindFileKeys, CtrlHomeSelectsTheFirstRow) {
  OpenWithRows(10);
  SetRowState(list, 9, LVIS_SELECTED | LVIS_FOCUSED);
  ::SendMessageA(list, LVM_ENSUREVISIBLE, 9, FALSE);
  ASSERT_FALSE(RowFullyVisible(list, 0));
  {
    HeldCtrl ctrl;
    Type(VK_HOME);
  }
  EXPECT_EQ(RowState(list, 9), 0u);
  EXPECT_EQ(RowState(list, 0), UINT(LVIS_SELECTED | LVIS_FOCUSED));
  EXPECT_TRUE(RowFullyVisible(list, 0));
  EXPECT_EQ(Caret(combo), 1);
}

TEST_F(FindFileKeys, CtrlHomeAndEndOnAnEmptyListChangeNothingAndAreStillConsumed) {
  OpenWithRows(0);
  {
    HeldCtrl ctrl;
    listKeys->Clear();
    editKeys->Clear();
    Type(VK_END);
    Type(VK_HOME);
  }
  EXPECT_EQ(::SendMessageA(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED), -1);
  for (const auto& key : editKeys->Keys()) EXPECT_EQ(key.wParam, WPARAM(VK_CONTROL));
  EXPECT_EQ(Caret(combo), 1);
  EXPECT_EQ(EditText(combo), "abc");
}

TEST_F(FindFileKeys, CtrlEndWithTheDropDownShowingStillSelectsAndReachesTheCombo) {
  OpenWithRows(10);
  SetRowState(list, 3, LVIS_SELECTED | LVIS_FOCUSED);
  ::SendMessageA(combo, CB_SHOWDROPDOWN, TRUE, 0);
  PumpMessages();
  {
    HeldCtrl ctrl;
    listKeys->Clear();
    editKeys->Clear();
    Type(VK_END);
  }
  EXPECT_EQ(RowState(list, 3), 0u);
  EXPECT_EQ(RowState(list, 9), UINT(LVIS_SELECTED | LVIS_FOCUSED));
  EXPECT_TRUE(listKeys->KeyDowns().empty() ||
              listKeys->KeyDowns() == std::vector<WPARAM>{VK_CONTROL});
  const std::vector<WPARAM> edit = editKeys->KeyDowns();
  EXPECT_NE(std::find(edit.begin(), edit.end(), WPARAM(VK_END)), edit.end());
  ::SendMessageA(combo, CB_SHOWDROPDOWN, FALSE, 0);
  PumpMessages();
}

TEST_F(FindFileKeys, HomeAndEndWithoutCtrlMoveTheCaretOnly) {
  OpenWithRows(10);
  SetRowState(list, 3, LVIS_SELECTED | LVIS_FOCUSED);
  SetEditText(combo, "abc", 2);

  Type(VK_HOME);
  EXPECT_EQ(Caret(combo), 0);
  Type(VK_END);
  EXPECT_EQ(Caret(combo), 3);

  EXPECT_TRUE(listKeys->Keys().empty());
  EXPECT_EQ(RowState(list, 3), UINT(LVIS_SELECTED | LVIS_FOCUSED));
}

TEST_F(FindFileKeys, LeftAndRightMoveTheCaretOnly) {
  OpenWithRows(10);
  Type(VK_RIGHT);
  EXPECT_EQ(Caret(combo), 2);
  Type(VK_LEFT);
  Type(VK_LEFT);
  EXPECT_EQ(Caret(combo), 0);
  EXPECT_TRUE(listKeys->Keys().empty());
}

TEST_F(FindFileKeys, ALetterReachesTheListAndTheEditField) {
  OpenWithRows(10);
  SetEditText(combo, "", 0);
  Type('Q');
  EXPECT_EQ(listKeys->KeyDowns(), std::vector<WPARAM>{'Q'});
  EXPECT_EQ(listKeys->Keys()[0].lParam, KeyData('Q'));
  EXPECT_EQ(EditText(combo), "q");  // translated into a character by the host's loop
}

TEST_F(FindFileKeys, F5IsAnOrdinaryKeyForFindFile) {
  OpenWithRows(10);
  Type(VK_F5);
  EXPECT_EQ(listKeys->KeyDowns(), std::vector<WPARAM>{VK_F5});
  EXPECT_EQ(editKeys->KeyDowns(), std::vector<WPARAM>{VK_F5});
  EXPECT_EQ(dialog.Count(WM_USER + 1, 0, true), 0);
}

TEST_F(FindFileKeys, AnyKeyWithTheDropDownShowingIsNotForwarded) {
  OpenWithRows(10);
  ::SendMessageA(combo, CB_SHOWDROPDOWN, TRUE, 0);
  PumpMessages();
  for (UINT key : {UINT(VK_PRIOR), UINT(VK_NEXT), UINT('Q'), UINT(VK_F5)}) Type(key);
  EXPECT_TRUE(listKeys->Keys().empty());
  ::SendMessageA(combo, CB_SHOWDROPDOWN, FALSE, 0);
  PumpMessages();
}

TEST_F(FindFileKeys, TypingSendsTheDialogOneNmCharAndNoEditChangeCommand) {
  OpenWithRows(10);
  ::PostMessageA(EditOf(combo), WM_CHAR, 'x', 1);
  PumpMessages();

  ASSERT_EQ(dialog.Count(WM_NOTIFY, NM_CHAR), 1);
  EXPECT_EQ(dialog.Count(WM_COMMAND, CBN_EDITCHANGE), 0);
  for (const DialogMessage& m : dialog.Received()) {
    if (m.message != WM_NOTIFY || m.code != int(NM_CHAR)) continue;
    EXPECT_EQ(m.wParam, WPARAM(1021));
    EXPECT_EQ(m.fromId, UINT_PTR(1021));
    EXPECT_EQ(m.from, combo);
  }
}

TEST_F(FindFileKeys, ConfirmingAnItemPickedFromTheDropDownIsOneNmChar) {
  ClearModuleProfile();
  WriteProfileString("Config", "FilenameEditList", "main.cpp|util.h|");
  CreateModule();
  OpenWithRows(0);
  ::SendMessageA(combo, CB_SHOWDROPDOWN, TRUE, 0);
  Type(VK_DOWN);
  dialog.ClearReceived();

  Type(VK_RETURN);

  EXPECT_FALSE(::SendMessageA(combo, CB_GETDROPPEDSTATE, 0, 0));
  EXPECT_EQ(dialog.Count(WM_COMMAND, CBN_SELENDOK), 0);
  ASSERT_EQ(dialog.Count(WM_NOTIFY, NM_CHAR), 1);
  for (const DialogMessage& m : dialog.Received()) {
    if (m.message == WM_NOTIFY) {
      EXPECT_EQ(m.fromId, UINT_PTR(1021));
    }
  }
}

}  // namespace
}  // namespace tolvane::testing
