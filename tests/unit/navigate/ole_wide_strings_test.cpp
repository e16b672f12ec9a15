// The platform's own wide strings, under Wine: real BSTRs through WideText and a navigation.
#ifdef _WIN32
#include "navigate/win32/ole_wide_strings.h"

#include <gtest/gtest.h>
#include <oleauto.h>

#include "navigate/go_to_tag.h"
#include "navigate/wide_text.h"
#include "support/fake_ide.h"
#include "unit/navigate/fake_tag_record.h"

namespace tolvane {
namespace {

TEST(OleWideStrings, WideTextMakesRealCountedStrings) {
  OleWideStrings strings;
  const WideText text(strings, "src\\main.c");
  ASSERT_NE(text.get(), nullptr);
  EXPECT_EQ(SysStringLen(text.get()), 10u);
  EXPECT_EQ(std::wstring(text.get()), L"src\\main.c");

  const WideText empty(strings, "");
  ASSERT_NE(empty.get(), nullptr);
  EXPECT_EQ(SysStringLen(empty.get()), 0u);

  const WideText none(strings, nullptr);
  EXPECT_EQ(none.get(), nullptr);
}

TEST(OleWideStrings, ConversionAsksForTheCountWithTerminator) {
  OleWideStrings strings;
  EXPECT_EQ(strings.ConvertNarrow("abc", nullptr, 0), 4);
  wchar_t small[2];
  EXPECT_EQ(strings.ConvertNarrow("abc", small, 2), 0);  // does not fit
}

TEST(OleWideStrings, ClearVariantEmptiesIt) {
  OleWideStrings strings;
  VARIANT value{};
  value.vt = VT_I4;
  value.lVal = 7;
  strings.ClearVariant(&value);
  EXPECT_EQ(value.vt, VT_EMPTY);
}

TEST(OleWideStrings, NavigationWithRealStrings) {
  testing::FakeIde ide;
  ide.AddFile("main.c", {"int x;", "int main(void)"});
  OleWideStrings strings;
  struct : Notifier {
    void ShowMessage(const std::string&) override { ++shown; }
    int shown = 0;
  } notifier;
  NavigationState state;
  state.automationRoot.Hold(ide.Root());
  const auto before = ide.ReferenceSnapshot();
  state.wideStrings = &strings;
  state.notifier = &notifier;
  testing::FakeTagRecord tag("main", "main.c", "^int main(void)$", -1);
  EXPECT_TRUE(GoToTag(state, &tag));
  EXPECT_TRUE(ide.Called("Selection(main.c).FindText(int main(void), 0x4)"));
  EXPECT_EQ(ide.File("main.c")->text.SelectedText(), "int main(void)");
  EXPECT_EQ(ide.ReferenceChangesSince(before), "");
  EXPECT_EQ(notifier.shown, 0);
}

}  // namespace
}  // namespace tolvane
#endif
