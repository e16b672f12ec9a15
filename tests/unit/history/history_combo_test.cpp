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

TEST(HistoryCombo, FillAppendsInOrderAndCopyBackReplaces) {
  FakeComboItems combo({"already"});
  FillCombo(HistoryList{"a", "b", "c"}, combo);
  EXPECT_EQ(combo.items, (Items{"already", "a", "b", "c"}));

  HistoryList list{"stale", "stale2"};
  CopyBack(combo, list);
  EXPECT_EQ(list.Items(), (Items{"already", "a", "b", "c"}));

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
  HistoryList list{"old"};
  EXPECT_THROW(CopyBack(combo, list), std::bad_alloc);
  EXPECT_EQ(list.Items(), Items{"old"});
}

TEST(HistoryCombo, FillAndCopyBackApplyNoLimit) {
  HistoryList big;
  for (const std::string& item : Numbered(300)) big.Append(item);
  FakeComboItems combo;
  FillCombo(big, combo);
  EXPECT_EQ(combo.items.size(), 300u);
  HistoryList back;
  CopyBack(combo, back);
  EXPECT_EQ(back, big);
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

TEST(HistoryCombo, AddKeepsExactly256Items) {
  FakeComboItems combo(Numbered(256));
  AddToHistoryCombo(&combo, "new");
  ASSERT_EQ(combo.items.size(), 256u);
  EXPECT_EQ(combo.items.front(), "new");
  EXPECT_EQ(combo.items[1], "item0");
  EXPECT_EQ(combo.items.back(), "item254");  // the former last item is gone

  FakeComboItems at255(Numbered(255));
  AddToHistoryCombo(&at255, "new");
  EXPECT_EQ(at255.items.size(), 256u);
  EXPECT_EQ(at255.items.back(), "item254");
}

TEST(HistoryCombo, AnOverfullComboIsTrimmedByTheFirstAddEvenWithoutInsert) {
  FakeComboItems same(Numbered(300));
  AddToHistoryCombo(&same, "item0");
  ASSERT_EQ(same.items.size(), 256u);
  EXPECT_EQ(same.items.front(), "item0");
  EXPECT_EQ(same.items.back(), "item255");
  EXPECT_EQ(same.deletes, 44);

  FakeComboItems differ(Numbered(300));
  AddToHistoryCombo(&differ, "fresh");
  ASSERT_EQ(differ.items.size(), 256u);
  EXPECT_EQ(differ.items.front(), "fresh");
  EXPECT_EQ(differ.items.back(), "item254");
}

TEST(HistoryCombo, AComboThatRefusesDeletesDoesNotHangTheAdd) {
  FakeComboItems combo(Numbered(258));
  combo.refuseDeletes = true;
  AddToHistoryCombo(&combo, "x");
  EXPECT_EQ(combo.deletes, 1);
}

}  // namespace
}  // namespace tolvane
