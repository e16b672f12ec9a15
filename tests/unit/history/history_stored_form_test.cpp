#include "history/history_stored_form.h"

#include <gtest/gtest.h>

namespace tolvane {
namespace {

using Items = std::vector<std::string>;

TEST(HistoryStoredForm, EveryItemIsFollowedByABar) {
  EXPECT_EQ(EncodeHistory(HistoryList{"a", "b"}), "a|b|");
  EXPECT_EQ(EncodeHistory(HistoryList{}), "");
  EXPECT_EQ(EncodeHistory(HistoryList{""}), "|");
  EXPECT_EQ(EncodeHistory(HistoryList{"", "x", ""}), "|x||");
}

TEST(HistoryStoredForm, DecodingCutsAtEveryBar) {
  EXPECT_EQ(DecodeHistory("a|b|").Items(), (Items{"a", "b"}));
  EXPECT_EQ(DecodeHistory("a|b").Items(), (Items{"a", "b"}));
  EXPECT_EQ(DecodeHistory("a||b|").Items(), (Items{"a", "", "b"}));
  EXPECT_EQ(DecodeHistory("|").Items(), (Items{""}));
  EXPECT_EQ(DecodeHistory("||").Items(), (Items{"", ""}));
  EXPECT_TRUE(DecodeHistory("").Empty());
  EXPECT_EQ(DecodeHistory("only").Items(), (Items{"only"}));
}

TEST(HistoryStoredForm, RoundTripKeepsItemsWithoutBars) {
  const HistoryList lists[] = {
      {}, {""}, {"a"}, {"main.cpp", "", "  spaced  ", "Ünïcode bytes", "a^b$c"}};
  for (const HistoryList& list : lists) EXPECT_EQ(DecodeHistory(EncodeHistory(list)), list);
}

TEST(HistoryStoredForm, AnItemWithABarComesBackSplit) {
  EXPECT_EQ(DecodeHistory(EncodeHistory(HistoryList{"a|b", "c"})).Items(), (Items{"a", "b", "c"}));
}

}  // namespace
}  // namespace tolvane
