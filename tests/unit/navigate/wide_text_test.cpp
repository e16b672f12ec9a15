#include "navigate/wide_text.h"

#include <gtest/gtest.h>

#include <new>

#include "support/fake_com_object.h"
#include "support/fake_wide_strings.h"

namespace tolvane {
namespace {

using testing::FakeWideStrings;
using testing::NarrowText;

TEST(WideText, NullStaysNullWithoutAllocating) {
  FakeWideStrings strings;
  {
    const WideText text(strings, nullptr);
    EXPECT_EQ(text.get(), nullptr);
  }
  EXPECT_EQ(strings.Allocations(), 0);
  EXPECT_EQ(strings.BadFrees(), 0);
}

TEST(WideText, EmptyBecomesAnEmptyStringThatIsNotNull) {
  FakeWideStrings strings;
  {
    const WideText text(strings, "");
    ASSERT_NE(text.get(), nullptr);
    EXPECT_EQ(FakeWideStrings::Length(text.get()), 0u);
    EXPECT_EQ(text.get()[0], 0);
  }
  EXPECT_EQ(strings.Live(), 0);
}

TEST(WideText, ConvertsEveryCharacterAndFreesOnce) {
  FakeWideStrings strings;
  {
    const WideText text(strings, "src\\a b.cpp");
    EXPECT_EQ(NarrowText(text.get()), "src\\a b.cpp");
    EXPECT_EQ(FakeWideStrings::Length(text.get()), 11u);
    EXPECT_EQ(strings.Live(), 1);
  }
  EXPECT_EQ(strings.Allocations(), 1);
  EXPECT_EQ(strings.Frees(), 1);
  EXPECT_EQ(strings.BadFrees(), 0);
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
