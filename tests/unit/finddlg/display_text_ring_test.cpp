#include "finddlg/display_text_ring.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <deque>
#include <iterator>
#include <new>
#include <string>
#include <utility>

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

TEST(DisplayTextRing, SlotsThatGrowKeepTheTwoTextsBefore) {
  // Lengths that grow a slot by one, double it, jump far past it and fall back, in every slot.
  const std::size_t lengths[] = {0, 1, 2, 3, 15, 16, 17, 4, 100, 33, 1000, 2, 5000, 64, 4999, 0};
  DisplayTextRing ring;
  std::deque<std::pair<const char*, std::string>> handed;
  for (std::size_t i = 0; i < std::size(lengths); ++i) {
    std::string text(lengths[i], static_cast<char>('a' + i));
    handed.emplace_back(ring.StoreDisplayText(text), std::move(text));
    if (handed.size() > DisplayTextRing::kSlotCount) handed.pop_front();
    for (const auto& [stored, expected] : handed) ASSERT_EQ(stored, expected) << "text " << i;
  }
}

// Room whose size would overflow is refused before anything is allocated, and the texts already
// handed out stay.
TEST(DisplayTextRing, RoomBeyondAnyAllocationIsOutOfMemory) {
  DisplayTextRing ring;
  const char* kept = ring.StoreDisplayText("kept");
  EXPECT_THROW(ring.NextSlot(PTRDIFF_MAX), std::bad_alloc);
  EXPECT_THROW(ring.NextSlot(SIZE_MAX), std::bad_alloc);
  EXPECT_STREQ(kept, "kept");
  EXPECT_STREQ(ring.StoreDisplayText("next"), "next");
  EXPECT_STREQ(kept, "kept");
}

TEST(DisplayTextRing, ComposedTextsReplaceLongerLeftovers) {
  DisplayTextRing ring;
  for (int i = 0; i < 3; ++i)
    ring.StoreDisplayText("leftover text that must not show through at all");
  EXPECT_STREQ(StoreFileName(ring, "a", "h"), "a.h");
  EXPECT_STREQ(StoreLineText(ring, "^x\ty$"), "x y");
  EXPECT_STREQ(StoreLineText(ring, "^$"), "");
}

}  // namespace
}  // namespace tolvane
