// Opening and closing both Find dialogs through their init and close entries on real controls:
// the list's style and columns as the column rules give them, the widths through the registry,
// the histories in the combo boxes, the combo boxes' changes reported to the dialog, and what
// becomes of the controls at close and at a second opening. The width and history rules
// themselves are the native tests' (column_widths_test, history_*_test).
#include <windows.h>

// needs windows.h first
#include <commctrl.h>
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "find_dialog_fixtures.h"
#include "finddlg/column_widths.h"
#include "harness/list_canvas.h"
#include "harness/poisoned_delete.h"
#include "key_recorder.h"
#include "keyboard.h"
#include "support/fake_profile.h"
#include "tolvane/tolvane.h"

namespace tolvane::testing {
namespace {

using Items = std::vector<std::string>;

using FindDialog = EachFindDialog<>;
TOLVANE_FOR_BOTH_FIND_DIALOGS(FindDialog);

TEST_P(FindDialog, ColumnsFollowTheRulesWithGridLinesAndFullRowSelectionAdded) {
  AddControls();
  ::SendMessageA(list, LVM_SETEXTENDEDLISTVIEWSTYLE, 0, LVS_EX_HEADERDRAGDROP);
  RECT client{};
  ::GetClientRect(list, &client);
  const int available = client.right - ::GetSystemMetrics(SM_CXVSCROLL);
  Init();

  EXPECT_EQ(::SendMessageA(list, LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0),
            LVS_EX_HEADERDRAGDROP | LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT);
  // Nothing stored: the widths the rules give for the list's width less its scroll bar.
  FakeProfile empty;
  const std::vector<int32_t> widths =
      LoadColumnWidths(empty, kind.dialogId, available, kind.columns);
  const std::vector<ListColumn> columns = Columns(list);
  ASSERT_EQ(columns.size(), kind.columns.size());
  for (std::size_t i = 0; i < columns.size(); ++i) {
    const ColumnRule& rule = kind.columns[i];
    EXPECT_EQ(columns[static_cast<std::size_t>(rule.index)].heading, rule.heading) << i;
    EXPECT_EQ(columns[i].format, LVCFMT_LEFT) << i;
    EXPECT_EQ(columns[static_cast<std::size_t>(rule.index)].width, widths[i]) << i;
  }
}

TEST_P(FindDialog, StoredWidthsAreShownAndCloseSavesWhatTheListReportsUnderItsOwnDialog) {
  const std::string section = LayoutSection(kind.dialogId);
  const std::string otherDialog = LayoutSection(kind.dialogId + 1);
  for (std::size_t i = 0; i < kind.columns.size(); ++i) {
    WriteProfileInt(section, kind.columns[i].key, static_cast<int32_t>(10 + i));
  }
  WriteProfileInt(otherDialog, kind.columns[0].key, 123);
  Open();
  for (std::size_t i = 0; i < kind.columns.size(); ++i) {
    const int column = kind.columns[i].index;
    EXPECT_EQ(::SendMessageA(list, LVM_GETCOLUMNWIDTH, WPARAM(column), 0), LRESULT(10 + i)) << i;
    ::SendMessageA(list, LVM_SETCOLUMNWIDTH, WPARAM(column), 70 + column);  // as a user would
  }

  ASSERT_TRUE(Close());

  for (const ColumnRule& rule : kind.columns) {
    EXPECT_EQ(ReadProfileInt(section, rule.key), 70 + rule.index) << rule.key;
  }
  EXPECT_EQ(ReadProfileInt(otherDialog, kind.columns[0].key), 123);
}

// Each combo box shows its own history; what was added to each while open is stored at close.
// After the close the controls are gone, and a stray add or a second close changes nothing.
TEST_P(FindDialog, HistoriesFillTheirCombosAndComeBackAtCloseWithWhatWasAdded) {
  for (std::size_t i = 0; i < kind.histories.size(); ++i) {
    WriteProfileString("Config", kind.histories[i], "old" + std::to_string(i) + "|older|");
  }
  CreateModule();
  Open();
  for (std::size_t i = 0; i < combos.size(); ++i) {
    EXPECT_EQ(ComboItems(combos[i]), (Items{"old" + std::to_string(i), "older"})) << i;
    AddHistory(i, "new" + std::to_string(i));
  }
  ASSERT_TRUE(Close());
  EXPECT_FALSE(::IsWindow(list));
  for (HWND combo : combos) EXPECT_FALSE(::IsWindow(combo));

  const std::string section = LayoutSection(kind.dialogId);
  WriteProfileInt(section, kind.columns[0].key, 11);
  for (std::size_t i = 0; i < combos.size(); ++i) AddHistory(i, "late");
  EXPECT_TRUE(Close());
  EXPECT_EQ(ReadProfileInt(section, kind.columns[0].key), 11);
  DestroyModule();
  for (std::size_t i = 0; i < combos.size(); ++i) {
    const std::string n = std::to_string(i);
    std::string stored;
    ASSERT_TRUE(ReadProfileValue("Config", kind.histories[i], stored));
    EXPECT_EQ(stored, "new" + n + "|old" + n + "|older|");
  }
}

// Opened again without a close: the earlier controls stay the host's, no longer steered, and
// what their combo boxes held is not lost.
TEST_P(FindDialog, OpeningAgainWithoutACloseLetsGoOfTheEarlierControls) {
  MakeRows(5);
  Open(5);
  const HWND firstList = list;
  const HWND firstCombo = combos[0];
  AddHistory(0, "kept");

  TestDialog second;
  AddControlsTo(second);
  InitIn(second.Handle());
  EXPECT_TRUE(::IsWindow(firstList));
  EXPECT_EQ(ComboItems(combos[0]), (Items{"kept"}));

  KeyRecorder firstListKeys(firstList);
  SetRowState(firstList, 0, LVIS_SELECTED | LVIS_FOCUSED);
  PostKeyDown(EditOf(firstCombo), VK_DOWN);
  PumpMessages();
  EXPECT_EQ(firstListKeys.KeyDowns(), std::vector<WPARAM>{});
  const HWND secondList = list;
  ASSERT_TRUE(Close());
  EXPECT_FALSE(::IsWindow(secondList));
  EXPECT_TRUE(::IsWindow(firstList));
}

// A host's dialog may lack a control: the init and the close serve the others, keys go nowhere
// the missing list would have had them, and a missing combo box's history stays as it was.
TEST_P(FindDialog, ADialogWithoutOneOfItsControlsServesTheOthers) {
  std::vector<int> controlIds = kind.comboIds;
  controlIds.push_back(kind.listId);
  for (int missing : controlIds) {
    SCOPED_TRACE(missing);
    for (const std::string& history : kind.histories) WriteProfileString("Config", history, "old|");
    CreateModule();
    TestDialog partial;
    list = missing == kind.listId ? nullptr : partial.AddList(kind.listId, LVS_OWNERDATA);
    combos.clear();
    for (int id : kind.comboIds) combos.push_back(id == missing ? nullptr : partial.AddCombo(id));
    InitIn(partial.Handle());
    for (std::size_t i = 0; i < combos.size(); ++i) {
      if (combos[i] == nullptr) continue;
      EXPECT_EQ(ComboItems(combos[i]), (Items{"old"}));
      PostKeyDown(EditOf(combos[i]), VK_DOWN);
      PumpMessages();
      AddHistory(i, "added");
    }
    ASSERT_TRUE(Close());
    DestroyModule();
    for (std::size_t i = 0; i < combos.size(); ++i) {
      std::string stored;
      ASSERT_TRUE(ReadProfileValue("Config", kind.histories[i], stored));
      EXPECT_EQ(stored, combos[i] == nullptr ? "old|" : "added|old|") << i;
    }
  }
}

// The combo boxes' own change notifications are kept from the dialog: it gets one NM_CHAR per
// change, from the combo box that changed, whether typed or picked from the drop-down list.
TEST_P(FindDialog, EachComboChangeIsOneNmCharFromThatCombo) {
  WriteProfileString("Config", kind.histories.back(), "Draw|Paint|");
  CreateModule();
  Open();
  const auto changesFrom = [this] {
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
    return from;
  };
  std::vector<UINT_PTR> typedIn;
  for (std::size_t i = 0; i < combos.size(); ++i) {
    ::PostMessageA(EditOf(combos[i]), WM_CHAR, 'a', 1);
    ::PostMessageA(EditOf(combos[i]), WM_CHAR, 'b', 1);
    typedIn.insert(typedIn.end(), 2, UINT_PTR(kind.comboIds[i]));
  }
  PumpMessages();
  EXPECT_EQ(changesFrom(), typedIn);

  const HWND last = combos.back();
  ::SendMessageA(last, CB_SHOWDROPDOWN, TRUE, 0);
  PostKeyDown(EditOf(last), VK_DOWN);
  PumpMessages();
  dialog.ClearReceived();
  PostKeyDown(EditOf(last), VK_RETURN);
  PumpMessages();
  EXPECT_FALSE(::SendMessageA(last, CB_GETDROPPEDSTATE, 0, 0));
  EXPECT_EQ(changesFrom(), std::vector<UINT_PTR>{UINT_PTR(kind.comboIds.back())});
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

// What the host's dialog closes itself (entry 2 or 8) on: a message, and for WM_NOTIFY its code.
struct Closing {
  UINT message;
  UINT code;
};
Closing g_closeOn{};
CloseFindFileDialogFn g_close = nullptr;  // entry 8 has the same type

// A host whose Find dialog closes itself inside a message the module sent it, or passed on.
LRESULT CALLBACK ClosingDialog(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  const bool closes =
      message == g_closeOn.message &&
      (message != WM_NOTIFY || reinterpret_cast<NMHDR*>(lParam)->code == g_closeOn.code);
  if (closes && g_close != nullptr) std::exchange(g_close, nullptr)();
  return ::CallWindowProcA(TestDialog::OwnProcedure(), hwnd, message, wParam, lParam);
}

// One way the module hands the host's code control while it still has work to do.
struct ClosingCase {
  const char* name;
  const FindDialogKind* kind;
  Closing closeOn;
  UINT key;         // typed into the last combo box; 0: the list is painted instead
  bool ctrl;        // held while the key is typed
  int selectedRow;  // -1: none
};

const ClosingCase kClosingCases[] = {
    {"F5sRefreshRequest", &kFindTag, {WM_USER + 1, 0}, VK_F5, false, 3},
    // Ctrl+Home takes the selection off row 3 before it counts the rows.
    {"CtrlHomeTakingTheSelectionOff", &kFindFile, {WM_NOTIFY, LVN_ITEMCHANGED}, VK_HOME, true, 3},
    // Ctrl+End with no row selected selects the last before it scrolls to it.
    {"CtrlEndSelectingTheLastRow", &kFindFile, {WM_NOTIFY, LVN_ITEMCHANGED}, VK_END, true, -1},
    // Enter goes to the list, which passes it on, and would go on to the edit field.
    {"EnterPassedOnByTheList", &kFindFile, {WM_NOTIFY, LVN_KEYDOWN}, VK_RETURN, false, 3},
    {"TheListsCustomDraw", &kFindTag, {WM_NOTIFY, UINT(NM_CUSTOMDRAW)}, 0, false, 3},
};

class ClosingFindDialog : public FindDialogTest, public ::testing::WithParamInterface<ClosingCase> {
 protected:
  ClosingFindDialog() : FindDialogTest(*GetParam().kind) {}
};

std::string CaseName(const ::testing::TestParamInfo<ClosingCase>& c) {
  return c.param.name;
}
INSTANTIATE_TEST_SUITE_P(Each, ClosingFindDialog, ::testing::ValuesIn(kClosingCases), CaseName);

// When the host's code returns, the combo boxes, the list and their window records are freed:
// nothing of them may be read or written after it, and what the combo boxes held is stored.
TEST_P(ClosingFindDialog, NothingFreedIsTouchedAfterwards) {
  const ClosingCase& c = GetParam();
  WriteProfileString("Config", kind.histories.back(), "Draw|Paint|");
  CreateModule();
  MakeRows(10);
  AddControls();
  ::SetWindowLongPtrA(dialog.Handle(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&ClosingDialog));
  ::SetPropA(dialog.Handle(), kHighlightMatchesProperty, reinterpret_cast<HANDLE>(1));
  Init(10);
  if (c.selectedRow >= 0) SetRowState(list, c.selectedRow, LVIS_SELECTED | LVIS_FOCUSED);
  g_closeOn = c.closeOn;
  g_close = IsFindFile() ? Entry<CloseFindFileDialogFn>(kCloseFindFileDialog)
                         : Entry<CloseFindTagDialogFn>(kCloseFindTagDialog);
  const HWND combo = combos.back();
  FreedObjectTrap trap;
  {
    PoisonedDelete freed(module.Handle(), trap.Poison());
    ASSERT_TRUE(freed.Active());
    FreedObjectTrap::Received().clear();
    if (c.key == 0) {
      ListCanvas(list).Paint();
    } else {
      std::optional<HeldCtrl> held;
      if (c.ctrl) held.emplace();
      PostKeyDown(EditOf(combo), c.key);
      PumpMessages();
    }
    EXPECT_EQ(g_close, nullptr) << "the dialog closed";
    EXPECT_GE(freed.BlocksFreed(), 3);
    EXPECT_EQ(freed.BlocksWrittenAfterFree(), 0);
  }
  g_close = nullptr;
  open = false;
  EXPECT_EQ(FreedObjectTrap::Received(), std::vector<UINT>{});
  EXPECT_EQ(RefreshRequests(kind.comboIds.back()), c.key == VK_F5 ? 1 : 0);
  EXPECT_FALSE(::IsWindow(combo));
  DestroyModule();
  std::string stored;
  ASSERT_TRUE(ReadProfileValue("Config", kind.histories.back(), stored));
  EXPECT_EQ(stored, "Draw|Paint|");
}

}  // namespace
}  // namespace tolvane::testing
