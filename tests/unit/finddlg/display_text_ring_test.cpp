#include "finddlg/display_text_ring.h"

#include <gtest/gtest.h>

#include <string>

#include "finddlg/file_cell_text.h"
#include "finddlg/tag_cell_text.h"

namespace tolvane {
namespace {

TEST(DisplayTextRing, SlotsGoZeroOneTwoZero) {
  DisplayTextRing ring;
  const char* first = ring.StoreDisplayText("first text, longer than any small-string buffer");
  const char* second = ring.StoreDisplayText("second");
  const char* third = ring.StoreDisplayText("third");

  // Three distinct slots: the first text survives the next two.
  EXPECT_NE(first, second);
  EXPECT_NE(second, third);
  EXPECT_NE(first, third);
  EXPECT_STREQ(first, "first text, longer than any small-string buffer");
  EXPECT_STREQ(second, "second");
  EXPECT_STREQ(third, "third");

  const char* fourth = ring.StoreDisplayText("4th");
  EXPECT_EQ(fourth, first);  // the fourth reuses slot 0 and its buffer
  EXPECT_STREQ(first, "4th");
  EXPECT_STREQ(second, "second");
  EXPECT_EQ(ring.StoreDisplayText("5th"), second);  // then slot 1
}

TEST(DisplayTextRing, StoredTextIsACopy) {
  DisplayTextRing ring;
  std::string source = "original";
  const char* stored = ring.StoreDisplayText(source);
  source[0] = 'X';
  EXPECT_NE(stored, source.c_str());
  EXPECT_STREQ(stored, "original");
  EXPECT_STREQ(ring.StoreDisplayText(""), "");
}

TEST(DisplayTextRing, ComposedTextsReplaceLongerLeftovers) {
  DisplayTextRing ring;
  for (int i = 0; i < 3; ++i)
    ring.StoreDisplayText("leftover text that must not show through at all");
  EXPECT_STREQ(ring.StoreComposed([](std::string& slot) { ComposeFileName(slot, "a", "h"); }),
               "a.h");
  EXPECT_STREQ(ring.StoreComposed([](std::string& slot) { ComposeLineText(slot, "^x\ty$"); }),
               "x y");
  EXPECT_STREQ(ring.StoreComposed([](std::string& slot) { ComposeLineText(slot, "^$"); }), "");
}

}  // namespace
}  // namespace tolvane
