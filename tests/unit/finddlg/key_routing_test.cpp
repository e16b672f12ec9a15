#include "finddlg/key_routing.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/recording_key_controls.h"

namespace tolvane {
namespace {

using testing::RecordingKeyControls;
using Calls = std::vector<std::string>;

constexpr std::intptr_t kKeyData = 0x00480001;  // repeat 1, a scan code
constexpr uint32_t kLetterA = 'A';
constexpr uint32_t kEnter = 13;
constexpr uint32_t kEscape = 27;

std::string Forwarded(uint32_t key) {
  return "ForwardKeyToList " + std::to_string(key) + " " + std::to_string(kKeyData);
}

struct Outcome {
  bool consumed;
  Calls calls;
};

Outcome Route(const KeyTable& table, uint32_t key, bool ctrl = false, bool dropDown = false,
              std::vector<bool> rows = {}) {
  RecordingKeyControls controls;
  controls.ctrlDown = ctrl;
  controls.dropDownShowing = dropDown;
  controls.selected = std::move(rows);
  const bool consumed = RouteComboMessage(table, kKeyDownMessage, key, kKeyData, controls);
  return {consumed, controls.calls};
}

// Keys whose routing is the same in both dialogs, drop-down closed.
TEST(KeyRouting, CommonRowsOfBothTables) {
  for (const KeyTable* table : {&FindFileKeyTable(), &FindTagKeyTable()}) {
    for (uint32_t key : {kKeyPageUp, kKeyPageDown, kKeyUp, kKeyDown}) {
      for (bool ctrl : {false, true}) {
        const Outcome out = Route(*table, key, ctrl);
        EXPECT_TRUE(out.consumed) << key;
        EXPECT_EQ(out.calls, (Calls{"IsDropDownShowing", Forwarded(key)})) << key;
      }
    }
    for (uint32_t key : {kKeyLeft, kKeyRight}) {
      const Outcome out = Route(*table, key, true);
      EXPECT_FALSE(out.consumed) << key;
      EXPECT_EQ(out.calls, (Calls{"IsDropDownShowing"})) << key;
    }
    for (uint32_t key : {kKeyHome, kKeyEnd}) {
      const Outcome out = Route(*table, key, false);
      EXPECT_FALSE(out.consumed) << key;
      EXPECT_EQ(out.calls, (Calls{"IsCtrlDown", "IsDropDownShowing"})) << key;
    }
    for (uint32_t key : {kLetterA, kEnter, kEscape, 9u, 8u, 46u, 112u, 117u}) {
      const Outcome out = Route(*table, key, true);
      EXPECT_FALSE(out.consumed) << key;
      EXPECT_EQ(out.calls, (Calls{"IsDropDownShowing", Forwarded(key)})) << key;
    }
  }
}

TEST(KeyRouting, NothingIsForwardedWhileTheDropDownShows) {
  for (const KeyTable* table : {&FindFileKeyTable(), &FindTagKeyTable()}) {
    for (uint32_t key : {kKeyPageUp, kKeyPageDown, kKeyUp, kKeyDown, kKeyLeft, kKeyRight, kLetterA,
                         kKeyHome, kKeyEnd}) {
      const Outcome out = Route(*table, key, false, true);
      EXPECT_FALSE(out.consumed) << key;
      EXPECT_EQ(out.calls.back(), "IsDropDownShowing") << key;
    }
  }
}

TEST(KeyRouting, OnlyKeyDownIsExamined) {
  RecordingKeyControls controls;
  for (uint32_t message : {0x101u, 0x102u, 0x104u, 0x0u}) {
    EXPECT_FALSE(RouteComboMessage(FindTagKeyTable(), message, kKeyDown, kKeyData, controls));
    EXPECT_FALSE(RouteComboMessage(FindTagKeyTable(), message, kKeyF5, kKeyData, controls));
  }
  EXPECT_TRUE(controls.calls.empty());
}

TEST(FindFileKeyRouting, CtrlEndMovesTheSelectionToTheLastRow) {
  std::vector<bool> rows(10, false);
  rows[3] = true;
  RecordingKeyControls controls;
  controls.ctrlDown = true;
  controls.selected = rows;
  controls.focused = 3;
  EXPECT_TRUE(RouteComboMessage(FindFileKeyTable(), kKeyDownMessage, kKeyEnd, kKeyData, controls));
  EXPECT_EQ(controls.calls,
            (Calls{"IsCtrlDown", "FirstSelectedRow", "SetRowSelectedFocused 3 off", "RowCount",
                   "SetRowSelectedFocused 9 on", "EnsureRowFullyVisible 9", "IsDropDownShowing"}));
  EXPECT_FALSE(controls.selected[3]);
  EXPECT_TRUE(controls.selected[9]);
  EXPECT_EQ(controls.focused, 9);
}

TEST(FindFileKeyRouting, CtrlHomeSelectsRowZeroEvenWithTheDropDownShowing) {
  const Outcome out = Route(FindFileKeyTable(), kKeyHome, true, true, {false, true, false});
  EXPECT_FALSE(out.consumed);  // the combo gets the key too
  EXPECT_EQ(out.calls,
            (Calls{"IsCtrlDown", "FirstSelectedRow", "SetRowSelectedFocused 1 off", "RowCount",
                   "SetRowSelectedFocused 0 on", "EnsureRowFullyVisible 0", "IsDropDownShowing"}));
}

TEST(FindFileKeyRouting, CtrlHomeOrEndWithNothingSelectedOrNoRows) {
  Outcome out = Route(FindFileKeyTable(), kKeyEnd, true, false, {false, false});
  EXPECT_TRUE(out.consumed);
  EXPECT_EQ(out.calls,
            (Calls{"IsCtrlDown", "FirstSelectedRow", "RowCount", "SetRowSelectedFocused 1 on",
                   "EnsureRowFullyVisible 1", "IsDropDownShowing"}));
  for (uint32_t key : {kKeyHome, kKeyEnd}) {
    out = Route(FindFileKeyTable(), key, true, false, {});
    EXPECT_TRUE(out.consumed);  // still handled, list untouched
    EXPECT_EQ(out.calls,
              (Calls{"IsCtrlDown", "FirstSelectedRow", "RowCount", "IsDropDownShowing"}));
  }
}

TEST(FindFileKeyRouting, F5IsAnOrdinaryKey) {
  const Outcome out = Route(FindFileKeyTable(), kKeyF5);
  EXPECT_FALSE(out.consumed);
  EXPECT_EQ(out.calls, (Calls{"IsDropDownShowing", Forwarded(kKeyF5)}));
}

TEST(FindTagKeyRouting, CtrlHomeAndEndAreForwardedNotSelected) {
  for (uint32_t key : {kKeyHome, kKeyEnd}) {
    Outcome out = Route(FindTagKeyTable(), key, true, false, {true, false});
    EXPECT_TRUE(out.consumed);
    EXPECT_EQ(out.calls, (Calls{"IsCtrlDown", "IsDropDownShowing", Forwarded(key)}));
    out = Route(FindTagKeyTable(), key, true, true, {true, false});
    EXPECT_FALSE(out.consumed);
    EXPECT_EQ(out.calls, (Calls{"IsCtrlDown", "IsDropDownShowing"}));
  }
}

TEST(FindTagKeyRouting, F5AsksTheDialogToRefreshBeforeTheDropDownQuestion) {
  Outcome out = Route(FindTagKeyTable(), kKeyF5, true);
  EXPECT_TRUE(out.consumed);
  EXPECT_EQ(out.calls, (Calls{"SendRefreshRequest", "IsDropDownShowing"}));
  out = Route(FindTagKeyTable(), kKeyF5, false, true);
  EXPECT_FALSE(out.consumed);  // the combo handles F5 as well
  EXPECT_EQ(out.calls, (Calls{"SendRefreshRequest", "IsDropDownShowing"}));
}

TEST(KeyRouting, TheForwardedKeyDownCarriesTheSameWordsAsTheIncomingOne) {
  RecordingKeyControls controls;
  const std::intptr_t data = static_cast<std::intptr_t>(0x01500001);  // extended-key flag set
  RouteComboMessage(FindTagKeyTable(), kKeyDownMessage, kKeyDown, data, controls);
  EXPECT_EQ(controls.calls.back(),
            "ForwardKeyToList " + std::to_string(kKeyDown) + " " + std::to_string(data));
}

}  // namespace
}  // namespace tolvane
