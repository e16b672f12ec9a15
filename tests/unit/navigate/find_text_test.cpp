#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "navigate/editor_document.h"
#include "navigate/find_options.h"
#include "unit/navigate/ide_fixture.h"

namespace tolvane {
namespace {

using testing::TextPosition;

// Option words in any letter case; a word outside the table adds nothing.
TEST(FindFlags, OptionWords) {
  const struct {
    std::vector<std::string> words;
    int32_t flags;
  } cases[] = {
      {{"matchcase", "matchword"}, 0x6},
      {{"MatchCase", "MATCHWORD"}, 0x6},
      {{"matchWord", "matchcase", "MATCHCASE"}, 0x6},  // repeats add nothing
      {{"matchbackward"}, 0x80},
      {{"matchfromstart"}, 0x100},
      {{"matchregexp"}, 0x8},
      {{"matchforward", "matchbackward", "matchfromstart", "matchword", "matchcase", "matchregexp"},
       0x18E},
      {{}, 0},
      {{"matchforward"}, 0},
      {{"matchwhole"}, 0},
      {{"matchcase ", " matchcase", "match case", "", "case"}, 0},
      {{"bogus", "matchcase"}, 0x4},
  };
  for (const auto& c : cases) {
    std::string words;
    for (const std::string& word : c.words) words += "'" + word + "' ";
    EXPECT_EQ(FindFlags(c.words), c.flags) << words;
  }
}

class FindTextTest : public testing::IdeFixture {
 protected:
  void SetUp() override { Start("a.cpp", {"Count count;", "int count_all;", "count(1);"}); }
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
