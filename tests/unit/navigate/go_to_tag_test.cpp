#include "navigate/go_to_tag.h"

#include <gtest/gtest.h>

#include <new>
#include <string>
#include <type_traits>
#include <vector>

#include "navigate/editor_document.h"
#include "support/code_page_lead_bytes.h"
#include "unit/navigate/fake_tag_record.h"
#include "unit/navigate/ide_fixture.h"

namespace tolvane {
namespace {

using testing::FakeFile;
using testing::FakeTagRecord;
using testing::TextPosition;

class RecordingNotifier final : public Notifier {
 public:
  void ShowMessage(const std::string& text) override { messages.push_back(text); }
  std::vector<std::string> messages;
};

class GoToTagTest : public testing::IdeFixture {
 protected:
  void SetUp() override {
    state_.automationRoot.Hold(ide_.Root());
    state_.wideStrings = &strings_;
    state_.notifier = &notifier_;
    file_ = &Start("src/main.c", {"#include <stdio.h>", "INT MAIN(VOID)", "static int count = 0;",
                                  "int main(void)", "{", "  return cost$of$living;", "}"});
  }

  std::string SearchedFor() const {
    std::string found;
    for (const std::string& call : ide_.Calls()) {
      if (call.rfind("Selection(src/main.c).FindText(", 0) == 0) found = call;
    }
    return found;
  }

  RecordingNotifier notifier_;
  NavigationState state_;
  FakeFile* file_ = nullptr;
};

TEST_F(GoToTagTest, ByLineNumberJumpsCentresAndSelectsTheLineWithoutSearching) {
  FakeTagRecord tag("count", "src/main.c", "^static int count = 0;$", 3);
  EXPECT_TRUE(GoToTag(state_, &tag));
  EXPECT_EQ(file_->lastViewKind, kAnyViewKind);
  EXPECT_TRUE(ide_.Called("Selection(src/main.c).MoveToLineAndOffset(3, 1, false)"));
  EXPECT_EQ(SearchedFor(), "");
  EXPECT_EQ(file_->text.ShownLine(), 3);
  EXPECT_TRUE(file_->text.ShownCentered());
  EXPECT_EQ(file_->text.SelectedText(), "static int count = 0;");
  EXPECT_EQ(file_->text.Caret(), (TextPosition{3, 1}));
  EXPECT_EQ(GetLastTag(state_), &tag);
  EXPECT_TRUE(notifier_.messages.empty());
}

TEST_F(GoToTagTest, LineOneIsAJumpNotASearch) {
  ASSERT_TRUE(file_->text.MoveTo(5, 1, false));
  FakeTagRecord tag("stdio", "src/main.c", "^nowhere$", 1);
  EXPECT_TRUE(GoToTag(state_, &tag));
  EXPECT_EQ(SearchedFor(), "");
  EXPECT_EQ(file_->text.SelectedText(), "#include <stdio.h>");
}

TEST_F(GoToTagTest, ALineThatDoesNotExistIsNotChecked) {
  FakeTagRecord tag("gone", "src/main.c", "^gone$", 99);
  EXPECT_TRUE(GoToTag(state_, &tag));
  EXPECT_EQ(GetLastTag(state_), &tag);
}

TEST_F(GoToTagTest, ByPatternSearchesCaseSensitivelyFromTheTop) {
  ASSERT_TRUE(file_->text.MoveTo(7, 1, false));  // below the tag: the search must start at line 1
  FakeTagRecord tag("main", "src/main.c", "^int main(void)$", -1);
  EXPECT_TRUE(GoToTag(state_, &tag));
  EXPECT_EQ(SearchedFor(), "Selection(src/main.c).FindText(int main(void), 0x4)");
  EXPECT_TRUE(ide_.Called("Selection(src/main.c).MoveToLineAndOffset(1, 1, false)"));
  EXPECT_EQ(file_->text.SelectedText(), "int main(void)");  // line 4, not line 2's upper case
  EXPECT_EQ(file_->text.Caret(), (TextPosition{4, 1}));
  EXPECT_EQ(file_->text.ShownLine(), 4);
  EXPECT_EQ(GetLastTag(state_), &tag);
}

TEST_F(GoToTagTest, SearchTextLosesTheFirstCharacterAndEveryTrailingDollar) {
  const struct {
    const char* pattern;
    const char* searched;
    int codePage = 1252;
  } cases[] = {
      {"^  return cost$of$living;$$$", "  return cost$of$living;"},
      {"^int main(void)", "int main(void)"},
      {"xint main(void)$", "int main(void)"},  // whatever the first character is
      {"^$$", ""},
      {"^", ""},
      {"", ""},
      // A first character of two bytes goes whole; a lead byte alone is a character of its own.
      {"\x95\x5Cint main(void)$", "int main(void)", 932},
      {"\x95\x5Cint main(void)$", "\x5Cint main(void)", 1252},
      {"\xB0\x41int$", "int", 949},
      {"\x95", "", 932},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.pattern);
    state_.leadBytes = testing::LeadBytesOf(c.codePage);
    ide_.ClearCalls();
    FakeTagRecord tag("t", "src/main.c", c.pattern, -1);
    GoToTag(state_, &tag);
    EXPECT_EQ(SearchedFor(),
              "Selection(src/main.c).FindText(" + std::string(c.searched) + ", 0x4)");
  }
}

TEST_F(GoToTagTest, PatternNotFoundTellsTheUserAndKeepsTheLastTag) {
  FakeTagRecord found("main", "src/main.c", "^int main(void)$", -1);
  ASSERT_TRUE(GoToTag(state_, &found));
  FakeTagRecord missing("foo", "src/main.c", "^void foo(void)$", -1);
  EXPECT_FALSE(GoToTag(state_, &missing));
  EXPECT_EQ(notifier_.messages, (std::vector<std::string>{TagNotFoundMessage("foo")}));
  EXPECT_EQ(GetLastTag(state_), &found);
  EXPECT_EQ(file_->text.ShownLine(), 4);  // not shown again for the failed search
}

TEST_F(GoToTagTest, OneCharacterPatternSearchesForNothingAndFails) {
  FakeTagRecord tag("x", "src/main.c", "^", -1);
  EXPECT_FALSE(GoToTag(state_, &tag));
  EXPECT_EQ(notifier_.messages.size(), 1u);
  EXPECT_EQ(GetLastTag(state_), nullptr);
}

TEST_F(GoToTagTest, NullTagForgetsTheLastTag) {
  EXPECT_EQ(GetLastTag(state_), nullptr);
  FakeTagRecord tag("count", "src/main.c", "", 3);
  ASSERT_TRUE(GoToTag(state_, &tag));
  EXPECT_FALSE(GoToTag(state_, nullptr));
  EXPECT_EQ(GetLastTag(state_), nullptr);
  EXPECT_TRUE(notifier_.messages.empty());
}

TEST_F(GoToTagTest, WithoutAnAutomationRootNothingHappensAndTheLastTagStays) {
  FakeTagRecord previous("count", "src/main.c", "", 3);
  ASSERT_TRUE(GoToTag(state_, &previous));
  ide_.ClearCalls();
  state_.automationRoot.Reset();
  before_ = ide_.ReferenceSnapshot();
  FakeTagRecord tag("main", "src/main.c", "^int main(void)$", -1);
  EXPECT_FALSE(GoToTag(state_, &tag));
  EXPECT_EQ(GetLastTag(state_), &previous);
  EXPECT_TRUE(ide_.Calls().empty());
}

TEST_F(GoToTagTest, AFileWithoutASelectionForgetsTheLastTag) {
  ide_.AddFile("other.c", {"int y;"});
  before_ = ide_.ReferenceSnapshot();
  FakeTagRecord previous("count", "src/main.c", "", 3);
  FakeTagRecord tag("y", "other.c", "^int y;$", -1);
  const struct {
    const char* name;
    bool FakeFile::*knob;
  } cases[] = {{"does not open", &FakeFile::opensInWindow},
               {"no document", &FakeFile::windowHasDocument},
               {"no text document", &FakeFile::offersTextDocument},
               {"no selection", &FakeFile::hasSelection}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    ASSERT_TRUE(GoToTag(state_, &previous));
    ide_.File("other.c")->*c.knob = false;
    EXPECT_FALSE(GoToTag(state_, &tag));
    EXPECT_EQ(GetLastTag(state_), nullptr);
    EXPECT_TRUE(notifier_.messages.empty());
    ide_.File("other.c")->*c.knob = true;
  }
  FakeTagRecord unknown("z", "unknown.c", "^z$", -1);
  EXPECT_FALSE(GoToTag(state_, &unknown));
}

// Out of memory at any wide string along the way: the exception leaves GoToTag, the last tag
// stays as it was, and everything taken so far is given back.
TEST_F(GoToTagTest, OutOfMemoryAtAnyStringLeavesTheLastTagAndReleasesEverything) {
  FakeTagRecord previous("count", "src/main.c", "", 3);
  ASSERT_TRUE(GoToTag(state_, &previous));
  FakeTagRecord tag("main", "src/main.c", "^int main(void)$", -1);
  int thrown = 0;
  for (int failing = 1; failing <= 5; ++failing) {
    SCOPED_TRACE(failing);
    strings_.FailAllocation(failing);
    try {
      EXPECT_TRUE(GoToTag(state_, &tag));
      EXPECT_EQ(failing, 5);  // four strings: view kind, file name, "TextDocument", search text
    } catch (const std::bad_alloc&) {
      ++thrown;
      EXPECT_EQ(GetLastTag(state_), &previous);
    }
    EXPECT_EQ(ide_.ReferenceChangesSince(before_), "");
    EXPECT_EQ(strings_.Live(), 0);
    strings_.FailAllocation(0);
  }
  EXPECT_EQ(thrown, 4);
  EXPECT_EQ(GetLastTag(state_), &tag);
}

TEST_F(GoToTagTest, AFailedConversionIsOutOfMemoryToo) {
  strings_.failConversions = true;
  FakeTagRecord tag("count", "src/main.c", "", 3);
  EXPECT_THROW(GoToTag(state_, &tag), std::bad_alloc);
  EXPECT_EQ(GetLastTag(state_), nullptr);
}

TEST(TagNotFoundMessage, ExactText) {
  EXPECT_EQ(TagNotFoundMessage("CMyClass::Run"),
            "Unable to find CMyClass::Run.  Please save all files and refresh the tags.\n");
  EXPECT_EQ(TagNotFoundMessage(nullptr),
            "Unable to find .  Please save all files and refresh the tags.\n");
}

}  // namespace
}  // namespace tolvane
