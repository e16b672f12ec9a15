#include "navigate/wide_text.h"

#include <gtest/gtest.h>

#include <cstring>
#include <new>

#include "support/fake_com_object.h"
#include "support/fake_wide_strings.h"

namespace tolvane {
namespace {

using testing::FakeWideStrings;
using testing::NarrowText;

// Null stays null without allocating; any other text, the empty one included, becomes a string
// of its own, converted character by character, terminated, and freed once.
TEST(WideText, ConvertsEveryCharacterAndFreesOnce) {
  for (const char* narrow : {static_cast<const char*>(nullptr), "", "src\\a b.cpp"}) {
    SCOPED_TRACE(narrow == nullptr ? "null" : narrow);
    const int allocations = narrow == nullptr ? 0 : 1;
    FakeWideStrings strings;
    {
      const WideText text(strings, narrow);
      if (narrow == nullptr) {
        EXPECT_EQ(text.get(), nullptr);
      } else {
        ASSERT_NE(text.get(), nullptr);
        EXPECT_EQ(NarrowText(text.get()), narrow);
        EXPECT_EQ(FakeWideStrings::Length(text.get()), std::strlen(narrow));
        EXPECT_EQ(text.get()[std::strlen(narrow)], 0);
      }
      EXPECT_EQ(strings.Live(), allocations);
    }
    EXPECT_EQ(strings.Allocations(), allocations);
    EXPECT_EQ(strings.Frees(), allocations);
    EXPECT_EQ(strings.BadFrees(), 0);
  }
}

TEST(WideText, FailuresRaiseOutOfMemoryAndLeaveNothingAllocated) {
  FakeWideStrings strings;
  strings.FailAllocation(1);
  EXPECT_THROW(WideText(strings, "a.cpp"), std::bad_alloc);
  EXPECT_EQ(strings.Live(), 0);

  strings.failConversions = true;  // the string is allocated, the conversion into it fails
  EXPECT_THROW(WideText(strings, "a.cpp"), std::bad_alloc);
  EXPECT_EQ(strings.Allocations(), 1);
  EXPECT_EQ(strings.Frees(), 1);
  EXPECT_EQ(strings.Live(), 0);

  strings.failConversions = false;
  strings.failMeasuring = true;  // the length cannot be had: nothing is allocated
  EXPECT_THROW(WideText(strings, "a.cpp"), std::bad_alloc);
  EXPECT_EQ(strings.Allocations(), 1);
  EXPECT_EQ(strings.Live(), 0);
}

TEST(WideText, CopyOfAWideLiteral) {
  static constexpr WideChar kKind[] = {'K', 'i', 'n', 'd', 0};
  FakeWideStrings strings;
  {
    const WideText copy = WideText::Copy(strings, kKind);
    EXPECT_NE(copy.get(), kKind);
    EXPECT_EQ(NarrowText(copy.get()), "Kind");
  }
  EXPECT_EQ(strings.Live(), 0);
  strings.FailAllocation(1);
  EXPECT_THROW(WideText::Copy(strings, kKind), std::bad_alloc);
}

TEST(WideText, MovingHandsOverTheStringWithoutASecondFree) {
  FakeWideStrings strings;
  {
    WideText first(strings, "x");
    const BSTR held = first.get();
    const WideText second(std::move(first));
    EXPECT_EQ(second.get(), held);
  }
  EXPECT_EQ(strings.Frees(), 1);
  EXPECT_EQ(strings.BadFrees(), 0);
}

}  // namespace
}  // namespace tolvane
