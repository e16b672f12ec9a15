// Keys typed into a Find dialog's combo boxes on real controls: the module's message hook takes
// each key-down from the host's loop, and the key goes to the list, to the edit field, to both, or
// to the module's own step (Find File's Ctrl+Home and Ctrl+End select, Find Tag's F5 asks the
// dialog to refresh). Which key goes where is the native key routing test's; here one row per way a
// key can travel shows that it really arrives there: the list moves its selection, the caret moves,
// a character is typed, the dialog is asked.
#include <windows.h>

// needs windows.h first
#include <commctrl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

#include "find_dialog_fixtures.h"
#include "harness/import_patch.h"
#include "key_recorder.h"
#include "keyboard.h"

namespace tolvane::testing {
namespace {

constexpr UINT kSelectedFocused = LVIS_SELECTED | LVIS_FOCUSED;

// What becomes of one key in one dialog. The list starts with row 3 selected and focused, of ten
// rows with the first few visible; the edit field holds "abc" with the caret after the "a".
struct Outcome {
  bool toList;    // the list's procedure gets the key-down, with the key data as typed
  bool toEdit;    // the edit field's procedure gets it
  int row;        // afterwards this row has `state` (-1: not checked)
  UINT state;     // and, when it is selected, row 3 no longer is
  int caret;      // -1: not checked
  int refreshes;  // WM_USER+1 requests from the combo box
};

// Ctrl up, held for real while the key is typed, or down only in the system's state as the hook
// asks for it (no Ctrl key message ever queued): the routing must read the key as it is when the
// hook runs, which only the asynchronous state tells; the thread's queue state would say up.
enum class Ctrl { kUp, kHeld, kDownOnlyAsTheHookAsks };

SHORT WINAPI CtrlDownNow(int key) {
  return key == VK_CONTROL ? SHORT(0x8000) : SHORT(0);
}

struct KeyCase {
  const char* what;
  UINT key;
  Ctrl ctrl;
  bool dropDown;       // the combo box's drop-down list is showing
  std::size_t combo;   // typed into this combo box (Find File has only 0)
  Outcome outcome[2];  // Find File, Find Tag
};

constexpr UINT kFocused = LVIS_FOCUSED;
constexpr Outcome kListOnly{true, false, -1, 0, 1, 0};
constexpr Outcome kEditOnly{false, true, 3, kSelectedFocused, -1, 0};

// clang-format off
const KeyCase kCases[] = {
  // what                     key       ctrl                      drop   combo
  //   Find File: toList, toEdit, row, state, caret, refreshes     Find Tag: the same
  {"Down",                    VK_DOWN,  Ctrl::kUp,                false, 0,
     {{true, false, 4, kSelectedFocused, 1, 0},  {true, false, 4, kSelectedFocused, 1, 0}}},
  {"Up, second combo",        VK_UP,    Ctrl::kUp,                false, 1,
     {{true, false, 2, kSelectedFocused, 1, 0},  {true, false, 2, kSelectedFocused, 1, 0}}},
  {"Page Down",               VK_NEXT,  Ctrl::kUp,                false, 0, {kListOnly, kListOnly}},
  {"Page Up",                 VK_PRIOR, Ctrl::kUp,                false, 1, {kListOnly, kListOnly}},
  {"Home",                    VK_HOME,  Ctrl::kUp,                false, 0,
     {{false, true, 3, kSelectedFocused, 0, 0},  {false, true, 3, kSelectedFocused, 0, 0}}},
  {"End",                     VK_END,   Ctrl::kUp,                false, 1,
     {{false, true, 3, kSelectedFocused, 3, 0},  {false, true, 3, kSelectedFocused, 3, 0}}},
  {"Left",                    VK_LEFT,  Ctrl::kUp,                false, 0,
     {{false, true, 3, kSelectedFocused, 0, 0},  {false, true, 3, kSelectedFocused, 0, 0}}},
  {"Right",                   VK_RIGHT, Ctrl::kUp,                false, 1,
     {{false, true, 3, kSelectedFocused, 2, 0},  {false, true, 3, kSelectedFocused, 2, 0}}},
  {"a letter, typed as q",    'Q',      Ctrl::kUp,                false, 0,
     {{true, true, -1, 0, 2, 0},                 {true, true, -1, 0, 2, 0}}},
  {"F5",                      VK_F5,    Ctrl::kUp,                false, 1,
     {{true, true, -1, 0, 1, 0},                 {false, false, 3, kSelectedFocused, 1, 1}}},
  {"Ctrl+End",                VK_END,   Ctrl::kHeld,              false, 0,
     {{false, false, 9, kSelectedFocused, 1, 0}, {true, false, 9, kFocused, 1, 0}}},
  {"Ctrl+End, Ctrl down only as the hook asks",
                              VK_END,   Ctrl::kDownOnlyAsTheHookAsks, false, 0,
     {{false, false, 9, kSelectedFocused, 1, 0}, {true, false, 9, kFocused, 1, 0}}},
  {"Ctrl+Home",               VK_HOME,  Ctrl::kHeld,              false, 1,
     {{false, false, 0, kSelectedFocused, 1, 0}, {true, false, 0, kFocused, 1, 0}}},
  {"Down, drop-down showing", VK_DOWN,  Ctrl::kUp,                true,  0, {kEditOnly, kEditOnly}},
  {"F5, drop-down showing",   VK_F5,    Ctrl::kUp,                true,  1,
     {kEditOnly,                                 {false, true, 3, kSelectedFocused, -1, 1}}},
  {"Ctrl+End, drop-down showing",
                              VK_END,   Ctrl::kHeld,              true,  0,
     {{false, true, 9, kSelectedFocused, -1, 0}, kEditOnly}},
};
// clang-format on

class FindKeys : public EachFindDialog<> {
 protected:
  static std::vector<WPARAM> KeyDownsBut(const KeyRecorder& recorder, WPARAM left) {
    std::vector<WPARAM> downs = recorder.KeyDowns();
    downs.erase(std::remove(downs.begin(), downs.end(), left), downs.end());
    return downs;
  }
};
TOLVANE_FOR_BOTH_FIND_DIALOGS(FindKeys);

TEST_P(FindKeys, EachKeyArrivesWhereItsRowSays) {
  for (const std::string& history : kind.histories) {
    WriteProfileString("Config", history, "first|second|");  // a drop-down list to show
  }
  CreateModule();
  MakeRows(10);
  Open(10, 110);  // a few rows visible: Ctrl+End must scroll
  ASSERT_FALSE(RowFullyVisible(list, 9));
  KeyRecorder listKeys(list);
  std::vector<std::unique_ptr<KeyRecorder>> editKeys;
  for (HWND combo : combos) editKeys.push_back(std::make_unique<KeyRecorder>(EditOf(combo)));
  const std::size_t dialogIndex = IsFindFile() ? 0 : 1;

  for (const KeyCase& c : kCases) {
    SCOPED_TRACE(c.what);
    const Outcome& expected = c.outcome[dialogIndex];
    const std::size_t typedInto = std::min(c.combo, combos.size() - 1);
    const HWND combo = combos[typedInto];
    SetRowState(list, -1, 0);
    SetRowState(list, 3, kSelectedFocused);
    ::SendMessageA(list, LVM_ENSUREVISIBLE, 0, FALSE);
    SetEditText(combo, "abc", 1);
    if (c.dropDown) ::SendMessageA(combo, CB_SHOWDROPDOWN, TRUE, 0);
    PumpMessages();
    ASSERT_EQ(::SendMessageA(combo, CB_GETDROPPEDSTATE, 0, 0) != 0, c.dropDown);
    listKeys.Clear();
    for (auto& recorder : editKeys) recorder->Clear();
    dialog.ClearReceived();

    if (c.ctrl == Ctrl::kHeld) {
      HeldCtrl ctrl;
      PostKeyDown(EditOf(combo), c.key);
      PumpMessages();
    } else if (c.ctrl == Ctrl::kDownOnlyAsTheHookAsks) {
      ImportPatch now(module.Handle(), "user32.dll", "GetAsyncKeyState",
                      reinterpret_cast<const void*>(&CtrlDownNow));
      ASSERT_TRUE(now.Active()) << "Ctrl is to be read as the system has it now";
      PostKeyDown(EditOf(combo), c.key);
      PumpMessages();
    } else {
      PostKeyDown(EditOf(combo), c.key);
      PumpMessages();
    }

    const std::vector<WPARAM> toList = KeyDownsBut(listKeys, VK_CONTROL);
    EXPECT_EQ(toList, expected.toList ? std::vector<WPARAM>{c.key} : std::vector<WPARAM>{});
    if (expected.toList && !listKeys.Keys().empty() && c.ctrl == Ctrl::kUp) {
      EXPECT_EQ(listKeys.Keys().front().lParam, KeyData(c.key));
    }
    EXPECT_EQ(KeyDownsBut(*editKeys[typedInto], VK_CONTROL),
              expected.toEdit ? std::vector<WPARAM>{c.key} : std::vector<WPARAM>{});
    if (expected.row >= 0) {
      EXPECT_EQ(RowState(list, expected.row) & expected.state, expected.state);
      if (expected.row != 3) {  // moved: scrolled into view, and a selection left row 3
        EXPECT_TRUE(RowFullyVisible(list, expected.row));
        if ((expected.state & LVIS_SELECTED) != 0) {
          EXPECT_EQ(RowState(list, 3) & LVIS_SELECTED, 0u);
        }
      }
    }
    if (expected.caret >= 0) {
      EXPECT_EQ(Caret(combo), expected.caret);
    }
    EXPECT_EQ(RefreshRequests(kind.comboIds[typedInto]), expected.refreshes);
    EXPECT_EQ(dialog.Count(WM_USER + 1, 0, true), expected.refreshes);

    ::SendMessageA(combo, CB_SHOWDROPDOWN, FALSE, 0);
    PumpMessages();
  }
}

}  // namespace
}  // namespace tolvane::testing
