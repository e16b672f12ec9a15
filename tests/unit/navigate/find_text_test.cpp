#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "navigate/editor_document.h"
#include "navigate/find_options.h"
#include "support/fake_ide.h"
#include "support/fake_wide_strings.h"

namespace tolvane {
namespace {

using testing::FakeIde;
using testing::FakeWideStrings;
using testing::TextPosition;

TEST(FindFlags, OptionWordsInAnyLetterCase) {
  EXPECT_EQ(FindFlags({"matchcase", "matchword"}), 0x6);
  EXPECT_EQ(FindFlags({"MatchCase", "MATCHWORD"}), 0x6);
  EXPECT_EQ(FindFlags({"matchWord", "matchcase", "MATCHCASE"}), 0x6);  // repeats add nothing
  EXPECT_EQ(FindFlags({"matchbackward"}), 0x80);
  EXPECT_EQ(FindFlags({"matchfromstart"}), 0x100);
  EXPECT_EQ(FindFlags({"matchregexp"}), 0x8);
  EXPECT_EQ(FindFlags({"matchforward", "matchbackward", "matchfromstart", "matchword", "matchcase",
                       "matchregexp"}),
            0x18E);
}

TEST(FindFlags, WordsOutsideTheTableAddNothing) {
  EXPECT_EQ(FindFlags({}), 0);
  EXPECT_EQ(FindFlags({"matchforward"}), 0);
  EXPECT_EQ(FindFlags({"matchwhole"}), 0);
  EXPECT_EQ(FindFlags({"matchcase ", " matchcase", "match case", "", "case"}), 0);
  EXPECT_EQ(FindFlags({"bogus", "matchcase"}), 0x4);
}

class FindTextTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ide_.AddFile("a.cpp", {"Count count;", "int count_all;", "count(1);"});
    before_ = ide_.ReferenceSnapshot();
  }
  void TearDown() override {
    EXPECT_EQ(ide_.ReferenceChangesSince(before_), "");
    EXPECT_EQ(strings_.Live(), 0);
    EXPECT_EQ(strings_.BadFrees(), 0);
  }

  FakeIde ide_;
  FakeWideStrings strings_;
  std::map<std::string, long> before_;
};

TEST_F(FindTextTest, PassesTheFlagsAndLeavesTheSelectionOnTheTextFound) {
  EditorDocument editor(ide_.Root(), strings_);
  ASSERT_TRUE(editor.Open("a.cpp", "Auto"));
  EXPECT_TRUE(editor.FindText("count", {"MatchCase", "matchword"}));
  EXPECT_TRUE(ide_.Called("Selection(a.cpp).FindText(count, 0x6)"));
  EXPECT_EQ(ide_.File("a.cpp")->text.SelectedText(), "count");
  EXPECT_EQ(ide_.File("a.cpp")->text.Caret(), (TextPosition{1, 12}));
  // Next whole-word, case-sensitive match: not "count_all" but line 3.
  EXPECT_TRUE(editor.FindText("count", {"matchcase", "matchword"}));
  EXPECT_EQ(ide_.File("a.cpp")->text.Caret(), (TextPosition{3, 6}));
}

TEST_F(FindTextTest, NotFoundOrAFailingCallIsFalse) {
  EditorDocument editor(ide_.Root(), strings_);
  ASSERT_TRUE(editor.Open("a.cpp", "Auto"));
  EXPECT_FALSE(editor.FindText("COUNT", {"matchcase"}));
  EXPECT_TRUE(ide_.Called("Selection(a.cpp).FindText(COUNT, 0x4)"));
  ide_.File("a.cpp")->findStatus = testing::kFakeFailure;
  EXPECT_FALSE(editor.FindText("count", {}));
}

TEST_F(FindTextTest, WithoutASelectionNothingIsSearched) {
  ide_.File("a.cpp")->hasSelection = false;
  EditorDocument editor(ide_.Root(), strings_);
  ASSERT_TRUE(editor.Open("a.cpp", "Auto"));
  EXPECT_FALSE(editor.FindText("count", {}));
  for (const std::string& call : ide_.Calls()) EXPECT_EQ(call.find("FindText"), std::string::npos);
}

}  // namespace
}  // namespace tolvane
