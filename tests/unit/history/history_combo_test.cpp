#include "history/history_combo.h"

#include <gtest/gtest.h>

#include <new>

#include "support/fake_combo.h"

namespace tolvane {
namespace {

using testing::FakeComboItems;
using Items = std::vector<std::string>;

Items Numbered(int count) {
  Items items;
  for (int i = 0; i < count; ++i) items.push_back("item" + std::to_string(i));
  return items;
}

// Fill appends after what the combo box holds, copy back replaces the list; neither has a limit.
TEST(HistoryCombo, FillAppendsInOrderAndCopyBackReplaces) {
  FakeComboItems combo({"already"});
  HistoryList big;
  for (const std::string& item : Numbered(300)) big.Append(item);
  FillCombo(big, combo);
  Items expected = big.Items();
  expected.insert(expected.begin(), "already");
  EXPECT_EQ(combo.items, expected);

  HistoryList list;
  list.Append("stale");
  CopyBack(combo, list);
  EXPECT_EQ(list.Items(), combo.items);

  FakeComboItems empty;
  CopyBack(empty, list);
  EXPECT_TRUE(list.Empty());
}

TEST(HistoryCombo, ACopyBackThatRunsOutOfMemoryKeepsTheList) {
  struct ThirdTextUnreadable final : FakeComboItems {
    using FakeComboItems::FakeComboItems;
    std::string Text(int index) override {
      if (index == 2) throw std::bad_alloc();
      return FakeComboItems::Text(index);
    }
  } combo(Items{"a", "b", "c"});
  HistoryList list;
  list.Append("old");
  EXPECT_THROW(CopyBack(combo, list), std::bad_alloc);
  EXPECT_EQ(list.Items(), Items{"old"});
}

TEST(HistoryCombo, AddInsertsAtTheTopUnlessEqualToItemZero) {
  FakeComboItems combo({"main", "other"});
  AddToHistoryCombo(&combo, "main");
  EXPECT_EQ(combo.items, (Items{"main", "other"}));
  AddToHistoryCombo(&combo, "Main");  // case matters
  EXPECT_EQ(combo.items, (Items{"Main", "main", "other"}));
  AddToHistoryCombo(&combo, "other");  // equal to an older item: that copy stays
  EXPECT_EQ(combo.items, (Items{"other", "Main", "main", "other"}));
  AddToHistoryCombo(&combo, "main ");
  EXPECT_EQ(combo.items.front(), "main ");
}

TEST(HistoryCombo, AddingEmptyTextChangesNothing) {
  FakeComboItems empty;
  AddToHistoryCombo(&empty, "");
  EXPECT_TRUE(empty.items.empty());

  FakeComboItems full(Numbered(300));
  AddToHistoryCombo(&full, "");
  EXPECT_EQ(full.items.size(), 300u);  // not even the trim runs
}

TEST(HistoryCombo, AddToAnEmptyComboInsertsTheText) {
  AddToHistoryCombo(nullptr, "x");  // no dialog open: nothing to touch, no crash
  FakeComboItems combo;
  AddToHistoryCombo(&combo, "x");
  EXPECT_EQ(combo.items, (Items{"x"}));
}

// An add leaves at most 256 items, dropping the oldest; an overfull combo box is trimmed by the
// first add even when the text equals item 0 and nothing is inserted.
TEST(HistoryCombo, AddKeepsAtMost256Items) {
  const struct {
    int before;
    const char* text;
    const char* front;
    const char* back;
    int deletes;
  } cases[] = {
      {256, "new", "new", "item254", 1},
      {255, "new", "new", "item254", 0},
      {300, "item0", "item0", "item255", 44},
      {300, "fresh", "fresh", "item254", 45},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::to_string(c.before) + " items, adding " + c.text);
    FakeComboItems combo(Numbered(c.before));
    AddToHistoryCombo(&combo, c.text);
    ASSERT_EQ(combo.items.size(), 256u);
    EXPECT_EQ(combo.items.front(), c.front);
    EXPECT_EQ(combo.items.back(), c.back);
    EXPECT_EQ(combo.deletes, c.deletes);
  }
}

TEST(HistoryCombo, AComboThatRefusesDeletesDoesNotHangTheAdd) {
  FakeComboItems combo(Numbered(258));
  combo.refuseDeletes = true;
  AddToHistoryCombo(&combo, "x");
  EXPECT_EQ(combo.deletes, 1);
}

}  // namespace
}  // namespace tolvane
