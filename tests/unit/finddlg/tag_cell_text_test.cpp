#include "finddlg/tag_cell_text.h"

#include <gtest/gtest.h>

#include <string>

#include "support/fake_records.h"

// GCC 12 at -O3 reports a false overlap inside std::string's assignment from a literal (GCC bug
// 105329); the warning is about the library's inlined code, not ours.
#if defined(__GNUC__) && !defined(__clang__) && __GNUC__ == 12
#pragma GCC diagnostic ignored "-Wrestrict"
#endif

namespace tolvane {
namespace {

using testing::FakeFileRecord;
using testing::FakeTagRecord;

const char kControlBuffer[] = "control's own buffer";

std::string LineText(std::string_view pattern) {
  DisplayTextRing ring;
  return StoreLineText(ring, pattern);
}

// The labels are the table's own data; what can go wrong is the indexing around it.
TEST(TagKindLabel, KindNumbersIndexTheLabelsAndNothingOutsideHasOne) {
  EXPECT_STREQ(TagKindLabel(0), "Class");
  EXPECT_STREQ(TagKindLabel(5), "File");  // by kind number, not in alphabetical place
  EXPECT_STREQ(TagKindLabel(kTagKindCount - 1), "Variable");
  EXPECT_EQ(TagKindLabel(kTagKindCount), nullptr);
  EXPECT_EQ(TagKindLabel(-1), nullptr);
  EXPECT_EQ(TagKindLabel(INT32_MIN), nullptr);
}

TEST(StoreLineText, StripsWholeRunsAndTurnsTabsIntoSpaces) {
  EXPECT_EQ(LineText("^int main()$"), "int main()");
  EXPECT_EQ(LineText("^^x$$"), "x");
  EXPECT_EQ(LineText("a^b$c"), "a^b$c");
  EXPECT_EQ(LineText("^$$^"), "$$^");  // only the ends are runs
  EXPECT_EQ(LineText(""), "");
  EXPECT_EQ(LineText("^\t\tx = /y/;\t$"), "  x = /y/; ");
}

class TagCellText : public ::testing::Test {
 protected:
  void SetUp() override {
    tag.kind = 6;
    tag.name = "main";
    tag.parentName = "App";
    tag.nameSpace = "ns";
    tag.pattern = "^int\tmain()$";
    tag.file = &file;
  }
  DisplayRequest Ask(int32_t row, int32_t column, uint32_t mask = 0x7) {
    DisplayRequest request{row, column, mask, kControlBuffer};
    AnswerTagDisplayRequest(request, &tagArray, ring);
    return request;
  }

  FakeFileRecord file{"main", "cpp", "src"};
  FakeTagRecord tag;
  FakeTagRecord other;
  HostTagRecord* tags[2] = {&tag, &other};
  HostTagArray tagArray{tags};
  DisplayTextRing ring;
};

TEST_F(TagCellText, EveryColumn) {
  EXPECT_STREQ(Ask(0, 0).text, "Function");
  EXPECT_EQ(Ask(0, 0).text, TagKindLabel(tag.kind));  // the label itself, not a copy
  EXPECT_EQ(Ask(0, 1).text, tag.nameSpace);           // record texts are handed out, not copied
  EXPECT_EQ(Ask(0, 2).text, tag.parentName);
  EXPECT_EQ(Ask(0, 3).text, tag.name);
  EXPECT_STREQ(Ask(0, 4).text, "main.cpp");
  EXPECT_STREQ(Ask(0, 5).text, "int main()");
}

TEST_F(TagCellText, OutOfRangeKindsAndColumnsKeepTheControlsText) {
  tag.kind = 13;
  DisplayRequest request = Ask(0, 0, 0x2);
  EXPECT_EQ(request.text, kControlBuffer);
  EXPECT_EQ(request.mask, kListItemText);
  tag.kind = -1;
  EXPECT_EQ(Ask(0, 0).text, kControlBuffer);

  EXPECT_EQ(Ask(0, 6).text, kControlBuffer);
  EXPECT_EQ(Ask(0, -1).text, kControlBuffer);
}

TEST_F(TagCellText, UnanswerableRequestsAreIgnoredSafely) {
  const char* first = ring.StoreDisplayText("first");
  ring.StoreDisplayText("second");
  ring.StoreDisplayText("third");
  EXPECT_EQ(Ask(-1, 3).text, kControlBuffer);
  other.file = nullptr;
  EXPECT_EQ(Ask(1, 4).text, kControlBuffer);
  EXPECT_EQ(ring.StoreDisplayText("fourth"), first);  // neither request took a slot
  tags[1] = nullptr;
  EXPECT_EQ(Ask(1, 3).text, kControlBuffer);
  tagArray.tags = nullptr;
  EXPECT_EQ(Ask(0, 3).text, kControlBuffer);
  DisplayRequest request{0, 3, 0x7, kControlBuffer};  // a dialog created without its tag array
  AnswerTagDisplayRequest(request, nullptr, ring);
  EXPECT_EQ(request.text, kControlBuffer);
}

TEST_F(TagCellText, NullRecordTextsShowEmpty) {
  tag.nameSpace = nullptr;
  tag.pattern = nullptr;
  EXPECT_STREQ(Ask(0, 1).text, "");
  EXPECT_STREQ(Ask(0, 5).text, "");
}

TEST_F(TagCellText, TheArrayIsReadAfreshEachRequest) {
  EXPECT_STREQ(Ask(0, 3).text, "main");
  other.name = "moved";
  HostTagRecord* replaced[1] = {&other};
  tagArray.tags = replaced;
  EXPECT_STREQ(Ask(0, 3).text, "moved");
}

}  // namespace
}  // namespace tolvane
