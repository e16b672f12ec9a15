#include "history/history_stored_form.h"

#include <gtest/gtest.h>

#include "support/code_page_lead_bytes.h"

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
    EXPECT_EQ(DecodeHistory(c.stored, LeadBytes()).Items(), c.items) << c.stored;
  }
}

TEST(HistoryStoredForm, TheLastItemNeedsNoBar) {
  EXPECT_EQ(DecodeHistory("a|b", LeadBytes()).Items(), (Items{"a", "b"}));
  EXPECT_EQ(DecodeHistory("only", LeadBytes()).Items(), (Items{"only"}));
}

TEST(HistoryStoredForm, AnItemWithABarComesBackSplit) {
  HistoryList list;
  list.Append("a|b");
  list.Append("c");
  EXPECT_EQ(DecodeHistory(EncodeHistory(list), LeadBytes()).Items(), (Items{"a", "b", "c"}));
}

// In a double-byte code page a "|" that is the second byte of a character belongs to its item;
// the stored form itself is the same bytes as ever, and a "|" of its own still cuts.
TEST(HistoryStoredForm, ADoubleByteCodePageCutsOnlyAtBarsOfTheirOwn) {
  const struct {
    int codePage;
    const char* stored;
    Items items;
  } cases[] = {
      // Katakana "po-to" and kanji "hyouji" as a Japanese host stores them.
      {932,
       "\x83\x7C\x81\x5B\x83\x67|\x95\x5C\x8E\xA6|",
       {"\x83\x7C\x81\x5B\x83\x67", "\x95\x5C\x8E\xA6"}},
      {932, "\x83|x|", {"\x83|x"}},                         // a lead byte takes the bar after it
      {932, "a|b|\xA6|\xDF|", {"a", "b", "\xA6", "\xDF"}},  // half-width katakana: one byte
      {936, "\x81\x7C|\xB1\xED|", {"\x81\x7C", "\xB1\xED"}},
      {950, "\xA5\x7C|", {"\xA5\x7C"}},
      {949, "\xB0\xA1|\xC7\x41|", {"\xB0\xA1", "\xC7\x41"}},  // a Latin second byte
      {1252, "\x83|\x95|", {"\x83", "\x95"}},                 // single-byte: every bar cuts
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.codePage << " " << ::testing::PrintToString(c.stored));
    EXPECT_EQ(DecodeHistory(c.stored, testing::LeadBytesOf(c.codePage)).Items(), c.items);
    HistoryList list;
    for (const std::string& item : c.items) list.Append(item);
    EXPECT_EQ(EncodeHistory(list), c.stored);
  }
  // An item that holds a real bar comes back as two items in these code pages too.
  HistoryList list;
  list.Append(
      "\x83\x7C"
      "a|b");
  EXPECT_EQ(DecodeHistory(EncodeHistory(list), testing::LeadBytesOf(932)).Items(), (Items{"\x83\x7C"
                                                                                          "a",
                                                                                          "b"}));
}

}  // namespace
}  // namespace tolvane
