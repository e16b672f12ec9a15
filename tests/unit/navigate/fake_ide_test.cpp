// The fake editor is what every navigation test trusts; its find and its counting are checked
// here on their own.
#include "support/fake_ide.h"

#include <gtest/gtest.h>

namespace tolvane::testing {
namespace {

TEST(FakeTextBuffer, FindHonoursTheEditorsFlags) {
  FakeTextBuffer text({"Alpha alphabet", "beta ALPHA", "a.b"});
  EXPECT_TRUE(text.Find("ALPHA", 0));  // case-insensitive unless asked
  EXPECT_EQ(text.Caret(), (TextPosition{1, 6}));
  EXPECT_TRUE(text.Find("alpha", 0x4));  // from the caret on
  EXPECT_EQ(text.Anchor(), (TextPosition{1, 7}));
  EXPECT_TRUE(text.Find("alpha", 0x2));  // whole word skips "alphabet"
  EXPECT_EQ(text.Anchor(), (TextPosition{2, 6}));
  EXPECT_FALSE(text.Find("alpha", 0x4));  // nothing further down; the selection stays
  EXPECT_EQ(text.SelectedText(), "ALPHA");
  EXPECT_TRUE(text.Find("alpha", 0x4 | 0x100));  // from the start
  EXPECT_EQ(text.Anchor(), (TextPosition{1, 7}));
  EXPECT_TRUE(text.Find("alpha", 0x80));  // backwards, caret at the match's start
  EXPECT_EQ(text.Caret(), (TextPosition{1, 1}));
  EXPECT_TRUE(text.Find("a", 0x80 | 0x100));  // backwards from the end
  EXPECT_EQ(text.Caret(), (TextPosition{3, 1}));
  EXPECT_TRUE(text.Find("a.b", 0x8 | 0x100));  // a regular expression matches literally
  EXPECT_FALSE(text.Find("", 0x100));
}

TEST(FakeTextBuffer, MovesStayInsideTheText) {
  FakeTextBuffer text({"ab", "cde"});
  EXPECT_FALSE(text.MoveTo(3, 1, false));
  EXPECT_FALSE(text.MoveTo(1, 4, false));
  EXPECT_TRUE(text.MoveTo(2, 4, false));
  text.StartOfLine(0, true);
  EXPECT_EQ(text.SelectedText(), "cde");
  EXPECT_TRUE(text.MoveTo(1, 2, true));
  EXPECT_EQ(text.SelectedText(), "b\ncde");
}

TEST(FakeIde, CountsReferencesAndCatchesOverReleases) {
  FakeIde ide;
  ide.SetMainWindowHandle(0x1234);
  const auto before = ide.ReferenceSnapshot();
  AutomationWindow* window = nullptr;
  ASSERT_EQ(ide.Root()->get_MainWindow(&window), kOk);
  int32_t handle = 0;
  window->get_HWnd(&handle);
  EXPECT_EQ(handle, 0x1234);
  IUnknown* unknown = nullptr;
  constexpr GUID kUnknown = {0, 0, 0, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};
  ASSERT_EQ(window->QueryInterface(kUnknown, reinterpret_cast<void**>(&unknown)), kOk);
  EXPECT_EQ(ide.ReferenceChangesSince(before), "MainWindow: 0 -> 2\n");
  void* none = &handle;
  EXPECT_EQ(window->QueryInterface(kIID_TextDocument, &none), kNoInterface);
  EXPECT_EQ(none, nullptr);
  unknown->Release();
  window->Release();
  EXPECT_EQ(ide.ReferenceChangesSince(before), "");
  window->Release();
  EXPECT_EQ(ide.Registry().OverReleases(), 1);
  ide.mainWindowAvailable = false;
  EXPECT_LT(ide.Root()->get_MainWindow(&window), 0);
  EXPECT_EQ(window, nullptr);
}

}  // namespace
}  // namespace tolvane::testing
