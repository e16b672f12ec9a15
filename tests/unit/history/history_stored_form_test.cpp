#include "history/history_stored_form.h"

#include <gtest/gtest.h>

namespace tolvane {
namespace {

using Items = std::vector<std::string>;

// Every item is followed by a bar, and decoding cuts at every bar: each list stored and read
// back is the same list.
TEST(HistoryStoredForm, EveryItemIsFollowedByABar) {
  const struct {
    Items items;
    const char* stored;
  } cases[] = {
      {{"a", "b"}, "a|b|"},
      {{}, ""},
      {{""}, "|"},
      {{"", ""}, "||"},
      {{"", "x", ""}, "|x||"},
      {{"a", "", "b"}, "a||b|"},
      {{"main.cpp", "  spaced  ", "Ünïcode bytes", "a^b$c"},
       "main.cpp|  spaced  |Ünïcode bytes|a^b$c|"},
  };
  for (const auto& c : cases) {
    HistoryList list;
    for (const std::string& item : c.items) list.Append(item);
    EXPECT_EQ(EncodeHistory(list), c.stored);
    EXPECT_EQ(DecodeHistory(c.stored).Items(), c.items) << c.stored;
  }
}

TEST(HistoryStoredForm, TheLastItemNeedsNoBar) {
  EXPECT_EQ(DecodeHistory("a|b").Items(), (Items{"a", "b"}));
  EXPECT_EQ(DecodeHistory("only").Items(), (Items{"only"}));
}

TEST(HistoryStoredForm, AnItemWithABarComesBackSplit) {
  HistoryList list;
  list.Append("a|b");
  list.Append("c");
  EXPECT_EQ(DecodeHistory(EncodeHistory(list)).Items(), (Items{"a", "b", "c"}));
}

}  // namespace
}  // namespace tolvane
