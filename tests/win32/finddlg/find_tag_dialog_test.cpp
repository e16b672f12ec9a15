// The Find Tag dialog through entries 5 and 8 and its two combo boxes: six columns, widths,
// two histories, keys routed to the list, F5 as a request to the dialog, NM_CHAR per change.
#include <windows.h>

// needs windows.h first
#include <commctrl.h>
#include <gtest/gtest.h>

#include "find_dialog_fixtures.h"
#include "harness/poisoned_delete.h"
#include "key_recorder.h"
#include "keyboard.h"

namespace tolvane::testing {
namespace {

using Items = std::vector<std::string>;

class FindTagDialog : public FindTagTest {
 protected:
  void OpenWithRows(int rows) {
    records.resize(static_cast<size_t>(rows));
    tags.clear();
    for (FakeTagRecord& record : records) tags.push_back(&record);
    Open(rows, 110);
    listKeys = std::make_unique<KeyRecorder>(list);
    parentKeys = std::make_unique<KeyRecorder>(EditOf(parentCombo));
    tagKeys = std::make_unique<KeyRecorder>(EditOf(tagCombo));
    SetEditText(tagCombo, "abc", 1);
    PumpMessages();
    dialog.ClearReceived();
  }
  void Type(HWND combo, UINT key) {
    PostKeyDown(EditOf(combo), key);
    PumpMessages();
  }
  int RefreshRequests(WPARAM from) const {
    int count = 0;
    for (const DialogMessage& m : dialog.Received()) {
      if (m.message == WM_USER + 1 && m.wParam == from && m.lParam == 0) ++count;
    }
    return count;
  }
  void TearDown() override {
    listKeys.reset();
    parentKeys.reset();
    tagKeys.reset();
    FindTagTest::TearDown();
  }

  std::vector<FakeTagRecord> records;
  std::unique_ptr<KeyRecorder> listKeys;
  std::unique_ptr<KeyRecorder> parentKeys;
  std::unique_ptr<KeyRecorder> tagKeys;
};

TEST_F(FindTagDialog, SixColumnsInOrderWithGridLinesAndFullRowSelection) {
  AddControls();
  ::SendMessageA(list, LVM_SETEXTENDEDLISTVIEWSTYLE, 0, LVS_EX_CHECKBOXES);
  RECT client{};
  ::GetClientRect(list, &client);
  const int available = client.right - ::GetSystemMetrics(SM_CXVSCROLL);
  Init();

  const LRESULT style = ::SendMessageA(list, LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0);
  EXPECT_EQ(style & (LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT),
            LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT);
  EXPECT_TRUE(style & LVS_EX_CHECKBOXES);
  const std::vector<ListColumn> columns = Columns(list);
  const std::vector<std::string> headings{"Type", "Namespace", "Parent", "Tag", "Filename", "Line"};
  const int rest = available - 50;
  const std::vector<int> widths{50,
                                static_cast<int>(rest * 0.25),
                                static_cast<int>(rest * 0.25),
                                static_cast<int>(rest * 0.5),
                                100,
                                400};
  ASSERT_EQ(columns.size(), 6u);
  for (size_t i = 0; i < columns.size(); ++i) {
    EXPECT_EQ(columns[i].heading, headings[i]);
    EXPECT_EQ(columns[i].format, LVCFMT_LEFT);
    EXPECT_EQ(columns[i].width, widths[i]) << i;
  }
}

TEST_F(FindTagDialog, StoredWidthsAreUsedReplacedAndSavedBackUnderTheSixKeys) {
  const std::string section = WidthSection(kFindTagDialogId);
  WriteProfileInt(section, "Sub1", 0);
  WriteProfileInt(section, "Sub1_5", 1);
  WriteProfileInt(section, "Sub2", -3);
  WriteProfileInt(section, "Sub5", 0);
  AddControls();
  RECT client{};
  ::GetClientRect(list, &client);
  const int available = client.right - ::GetSystemMetrics(SM_CXVSCROLL);
  Init();
  std::vector<ListColumn> columns = Columns(list);
  ASSERT_EQ(columns.size(), 6u);
  EXPECT_EQ(columns[0].width, 50);
  EXPECT_EQ(columns[1].width, 1);
  EXPECT_EQ(columns[2].width, static_cast<int>((available - 50) * 0.25));  // w0 final
  EXPECT_EQ(columns[3].width, static_cast<int>(available * 0.5));          // w0 as read: 0
  EXPECT_EQ(columns[5].width, 400);

  const char* keys[] = {"Sub1", "Sub1_5", "Sub2", "Sub3", "Sub4", "Sub5"};
  for (int i = 0; i < 6; ++i) ::SendMessageA(list, LVM_SETCOLUMNWIDTH, i, 10 + i);
  ASSERT_TRUE(Close());
  for (int i = 0; i < 6; ++i) EXPECT_EQ(ReadProfileInt(section, keys[i]), 10 + i) << keys[i];
}

TEST_F(FindTagDialog, BothHistoriesFillTheirCombosAndComeBackAtClose) {
  WriteProfileString("Config", "TagParentEditList", "Widget|Frame|");
  WriteProfileString("Config", "TagEditList", "Draw||Paint|");
  CreateModule();
  Open();
  EXPECT_EQ(ComboItems(parentCombo), (Items{"Widget", "Frame"}));
  EXPECT_EQ(ComboItems(tagCombo), (Items{"Draw", "", "Paint"}));

  Entry<AddTagParentHistoryFn>(kAddTagParentHistory)("Window");
  Entry<AddTagHistoryFn>(kAddTagHistory)("Draw");
  ASSERT_TRUE(Close());
  EXPECT_FALSE(::IsWindow(list));
  EXPECT_FALSE(::IsWindow(parentCombo));
  EXPECT_FALSE(::IsWindow(tagCombo));

  Entry<AddTagHistoryFn>(kAddTagHistory)("late");
  Entry<AddTagParentHistoryFn>(kAddTagParentHistory)("late");
  EXPECT_TRUE(Close());
  DestroyModule();
  EXPECT_EQ(ReadProfileString("Config", "TagParentEditList"), "Window|Widget|Frame|");
  EXPECT_EQ(ReadProfileString("Config", "TagEditList"), "Draw||Paint|");
}

TEST_F(FindTagDialog, ArrowAndPageKeysGoToTheListOnlyFromEitherCombo) {
  OpenWithRows(10);
  Type(tagCombo, VK_DOWN);
  Type(parentCombo, VK_NEXT);
  Type(tagCombo, VK_UP);
  Type(parentCombo, VK_PRIOR);
  EXPECT_EQ(listKeys->KeyDowns(), (std::vector<WPARAM>{VK_DOWN, VK_NEXT, VK_UP, VK_PRIOR}));
  EXPECT_EQ(listKeys->Keys()[0].lParam, KeyData(VK_DOWN));
  EXPECT_TRUE(tagKeys->Keys().empty());
  EXPECT_TRUE(parentKeys->Keys().empty());
}

TEST_F(FindTagDialog, CtrlHomeAndEndAreForwardedToTheListAndConsumed) {
  OpenWithRows(10);
  SetRowState(list, 3, LVIS_SELECTED | LVIS_FOCUSED);
  {
    HeldCtrl ctrl;
    listKeys->Clear();
    tagKeys->Clear();
    Type(tagCombo, VK_END);
  }
  const std::vector<WPARAM> toList = listKeys->KeyDowns();
  EXPECT_NE(std::find(toList.begin(), toList.end(), WPARAM(VK_END)), toList.end());
  for (WPARAM key : tagKeys->KeyDowns()) EXPECT_EQ(key, WPARAM(VK_CONTROL));
  EXPECT_EQ(Caret(tagCombo), 1);
  EXPECT_TRUE(RowState(list, 9) & LVIS_FOCUSED);  // the list moved its own focus
}

TEST_F(FindTagDialog, HomeEndLeftRightWithoutCtrlMoveTheCaretOnly) {
  OpenWithRows(10);
  Type(tagCombo, VK_END);
  EXPECT_EQ(Caret(tagCombo), 3);
  Type(tagCombo, VK_HOME);
  EXPECT_EQ(Caret(tagCombo), 0);
  Type(tagCombo, VK_RIGHT);
  EXPECT_EQ(Caret(tagCombo), 1);
  Type(tagCombo, VK_LEFT);
  EXPECT_EQ(Caret(tagCombo), 0);
  EXPECT_TRUE(listKeys->Keys().empty());
}

TEST_F(FindTagDialog, ALetterReachesTheListAndTheEditField) {
  OpenWithRows(10);
  SetEditText(parentCombo, "", 0);
  Type(parentCombo, 'W');
  EXPECT_EQ(listKeys->KeyDowns(), std::vector<WPARAM>{'W'});
  EXPECT_EQ(EditText(parentCombo), "w");
}

TEST_F(FindTagDialog, F5WithTheDropDownClosedIsOneRequestToTheDialogAndNothingElse) {
  OpenWithRows(10);
  Type(tagCombo, VK_F5);
  EXPECT_EQ(RefreshRequests(1052), 1);
  EXPECT_EQ(dialog.Count(WM_USER + 1, 0, true), 1);
  EXPECT_TRUE(listKeys->Keys().empty());
  EXPECT_TRUE(tagKeys->Keys().empty());

  Type(parentCombo, VK_F5);
  EXPECT_EQ(RefreshRequests(1051), 1);
  EXPECT_TRUE(parentKeys->Keys().empty());
}

TEST_F(FindTagDialog, F5WithTheDropDownShowingIsARequestAndGoesOnToTheCombo) {
  OpenWithRows(10);
  ::SendMessageA(tagCombo, CB_SHOWDROPDOWN, TRUE, 0);
  PumpMessages();
  dialog.ClearReceived();
  Type(tagCombo, VK_F5);
  Type(tagCombo, VK_DOWN);
  Type(tagCombo, 'Q');
  EXPECT_EQ(RefreshRequests(1052), 1);
  EXPECT_TRUE(listKeys->Keys().empty());
  EXPECT_EQ(tagKeys->KeyDowns(), (std::vector<WPARAM>{VK_F5, VK_DOWN, 'Q'}));
  ::SendMessageA(tagCombo, CB_SHOWDROPDOWN, FALSE, 0);
  PumpMessages();
}

TEST_F(FindTagDialog, EachComboChangeIsOneNmCharWithThatCombosIdentifier) {
  OpenWithRows(0);
  ::PostMessageA(EditOf(parentCombo), WM_CHAR, 'p', 1);
  ::PostMessageA(EditOf(tagCombo), WM_CHAR, 't', 1);
  ::PostMessageA(EditOf(tagCombo), WM_CHAR, 'u', 1);
  PumpMessages();

  std::vector<UINT_PTR> from;
  for (const DialogMessage& m : dialog.Received()) {
    if (m.message == WM_COMMAND) {
      EXPECT_NE(m.code, CBN_EDITCHANGE);
      EXPECT_NE(m.code, CBN_SELENDOK);
    }
    if (m.message != WM_NOTIFY || m.code != int(NM_CHAR)) continue;
    EXPECT_EQ(m.wParam, m.fromId);
    EXPECT_EQ(m.from, ::GetDlgItem(dialog.Handle(), static_cast<int>(m.fromId)));
    from.push_back(m.fromId);
  }
  EXPECT_EQ(from, (std::vector<UINT_PTR>{1051, 1052, 1052}));
}

TEST_F(FindTagDialog, ConfirmingADropDownItemIsOneNmChar) {
  WriteProfileString("Config", "TagEditList", "Draw|Paint|");
  CreateModule();
  OpenWithRows(0);
  ::SendMessageA(tagCombo, CB_SHOWDROPDOWN, TRUE, 0);
  Type(tagCombo, VK_DOWN);
  dialog.ClearReceived();
  Type(tagCombo, VK_RETURN);

  EXPECT_FALSE(::SendMessageA(tagCombo, CB_GETDROPPEDSTATE, 0, 0));
  EXPECT_EQ(dialog.Count(WM_COMMAND, CBN_SELENDOK), 0);
  EXPECT_EQ(dialog.Count(WM_NOTIFY, NM_CHAR), 1);
}

// A window that records every message it is sent. The module's freed blocks are filled with its
// handle, so a freed window object that is used again sends here.
class FreedObjectTrap {
 public:
  FreedObjectTrap()
      : hwnd_(::CreateWindowExA(0, "STATIC", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr,
                                nullptr)) {
    ::SetWindowLongPtrA(hwnd_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Procedure));
  }
  ~FreedObjectTrap() { ::DestroyWindow(hwnd_); }
  FreedObjectTrap(const FreedObjectTrap&) = delete;
  FreedObjectTrap& operator=(const FreedObjectTrap&) = delete;

  uintptr_t Poison() const { return reinterpret_cast<uintptr_t>(hwnd_); }
  static std::vector<UINT>& Received() {
    static std::vector<UINT> received;
    return received;
  }

 private:
  static LRESULT CALLBACK Procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message != WM_DESTROY && message != WM_NCDESTROY) Received().push_back(message);
    return ::DefWindowProcA(hwnd, message, wParam, lParam);
  }
  HWND hwnd_;
};

CloseFindTagDialogFn g_closeOnRefresh = nullptr;

// A host whose Find Tag dialog closes itself (entry 8) when a combo asks it to refresh.
LRESULT CALLBACK ClosingOnRefresh(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_USER + 1 && g_closeOnRefresh != nullptr) g_closeOnRefresh();
  return ::CallWindowProcA(TestDialog::OwnProcedure(), hwnd, message, wParam, lParam);
}

// When the F5 request returns, the combo that sent it, the other combo, the list and their window
// records are freed: nothing of them may be read or written after it.
TEST_F(FindTagDialog, F5WhoseRequestClosesTheDialogTouchesNothingFreed) {
  WriteProfileString("Config", "TagEditList", "Draw|Paint|");
  CreateModule();
  AddControls();
  ::SetWindowLongPtrA(dialog.Handle(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&ClosingOnRefresh));
  Init(10);
  g_closeOnRefresh = Entry<CloseFindTagDialogFn>(kCloseFindTagDialog);
  FreedObjectTrap trap;
  {
    PoisonedDelete freed(module.Handle(), trap.Poison());
    ASSERT_TRUE(freed.Active());
    FreedObjectTrap::Received().clear();
    Type(tagCombo, VK_F5);
    EXPECT_GE(freed.BlocksFreed(), 3);  // the close ran inside the request
    EXPECT_EQ(freed.BlocksWrittenAfterFree(), 0);
  }
  g_closeOnRefresh = nullptr;
  open = false;
  EXPECT_EQ(FreedObjectTrap::Received(), std::vector<UINT>{});
  EXPECT_EQ(RefreshRequests(1052), 1);
  EXPECT_FALSE(::IsWindow(tagCombo));
  DestroyModule();
  EXPECT_EQ(ReadProfileString("Config", "TagEditList"), "Draw|Paint|");
}

}  // namespace
}  // namespace tolvane::testing
