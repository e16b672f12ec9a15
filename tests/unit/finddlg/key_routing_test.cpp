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

// Ctrl+Home and Ctrl+End move the Find File selection themselves and are forwarded in Find Tag;
// F5 refreshes Find Tag and is an ordinary key in Find File. Rows: "x" selected, "-" not.
TEST(KeyRouting, KeysTheTwoDialogsRouteDifferently) {
  const KeyTable& file = FindFileKeyTable();
  const KeyTable& tag = FindTagKeyTable();
  const struct {
    const char* what;
    const KeyTable& table;
    uint32_t key;
    bool ctrl, dropDown;
    const char* rows;
    bool consumed;
    const char* calls;
  } cases[] = {
      {"file: Ctrl+End selects the last row", file, kKeyEnd, true, false, "---x------", true,
       "IsCtrlDown, FirstSelectedRow, SetRowSelectedFocused 3 off, RowCount, "
       "SetRowSelectedFocused 9 on, EnsureRowFullyVisible 9, IsDropDownShowing"},
      {"file: Ctrl+Home selects row 0 with the drop-down showing; the combo gets it too", file,
       kKeyHome, true, true, "-x-", false,
       "IsCtrlDown, FirstSelectedRow, SetRowSelectedFocused 1 off, RowCount, "
       "SetRowSelectedFocused 0 on, EnsureRowFullyVisible 0, IsDropDownShowing"},
      {"file: Ctrl+End with nothing selected", file, kKeyEnd, true, false, "--", true,
       "IsCtrlDown, FirstSelectedRow, RowCount, SetRowSelectedFocused 1 on, "
       "EnsureRowFullyVisible 1, IsDropDownShowing"},
      {"file: Ctrl+Home with no rows", file, kKeyHome, true, false, "", true,
       "IsCtrlDown, FirstSelectedRow, RowCount, IsDropDownShowing"},
      {"file: Ctrl+End with no rows", file, kKeyEnd, true, false, "", true,
       "IsCtrlDown, FirstSelectedRow, RowCount, IsDropDownShowing"},
      {"file: F5 is an ordinary key", file, kKeyF5, false, false, "", false,
       "IsDropDownShowing, ForwardKeyToList 116 4718593"},
      {"tag: Ctrl+Home is forwarded", tag, kKeyHome, true, false, "x-", true,
       "IsCtrlDown, IsDropDownShowing, ForwardKeyToList 36 4718593"},
      {"tag: Ctrl+End is forwarded", tag, kKeyEnd, true, false, "x-", true,
       "IsCtrlDown, IsDropDownShowing, ForwardKeyToList 35 4718593"},
      {"tag: Ctrl+Home, drop-down showing", tag, kKeyHome, true, true, "x-", false,
       "IsCtrlDown, IsDropDownShowing"},
      {"tag: Ctrl+End, drop-down showing", tag, kKeyEnd, true, true, "x-", false,
       "IsCtrlDown, IsDropDownShowing"},
      {"tag: F5 refreshes before the drop-down question", tag, kKeyF5, true, false, "", true,
       "SendRefreshRequest, IsDropDownShowing"},
      {"tag: F5, drop-down showing: the combo handles it as well", tag, kKeyF5, false, true, "",
       false, "SendRefreshRequest, IsDropDownShowing"},
  };
  for (const auto& c : cases) {
    std::vector<bool> rows;
    for (const char* row = c.rows; *row != 0; ++row) rows.push_back(*row == 'x');
    const Outcome out = Route(c.table, c.key, c.ctrl, c.dropDown, rows);
    std::string calls;
    for (const std::string& call : out.calls) calls += (calls.empty() ? "" : ", ") + call;
    EXPECT_EQ(out.consumed, c.consumed) << c.what;
    EXPECT_EQ(calls, c.calls) << c.what;
  }
}

TEST(KeyRouting, TheForwardedKeyDownCarriesTheSameWordsAsTheIncomingOne) {
  RecordingKeyControls controls;
  const std::intptr_t data = static_cast<std::intptr_t>(0x01500001);  // extended-key flag set
  RouteComboMessage(FindTagKeyTable(), kKeyDownMessage, kKeyDown, data, controls);
  EXPECT_EQ(controls.calls.back(),
            "ForwardKeyToList " + std::to_string(kKeyDown) + " " + std::to_string(data));
}

// A 64-bit build's word above 32 bits is no key of any row (the low half alone would be Down):
// it goes on to the combo box and to the list, as keys of no row do.
TEST(KeyRouting, AWordBeyondThirtyTwoBitsIsNoKeyOfTheTables) {
  if (sizeof(std::uintptr_t) == sizeof(uint32_t)) GTEST_SKIP() << "no such word in 32 bits";
  const auto word = static_cast<std::uintptr_t>(uint64_t{1} << 32 | kKeyDown);
  RecordingKeyControls controls;
  EXPECT_FALSE(RouteComboMessage(FindTagKeyTable(), kKeyDownMessage, word, kKeyData, controls));
  EXPECT_EQ(controls.calls, (Calls{"IsDropDownShowing", "ForwardKeyToList " + std::to_string(word) +
                                                            " " + std::to_string(kKeyData)}));
}

}  // namespace
}  // namespace tolvane
