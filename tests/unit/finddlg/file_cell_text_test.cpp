#include "finddlg/file_cell_text.h"

#include <gtest/gtest.h>

#include <string>

#include "support/fake_records.h"

namespace tolvane {
namespace {

using testing::FakeFileRecord;
using testing::FakeFileSource;

const char kControlBuffer[] = "control's own buffer";

class FileCellText : public ::testing::Test {
 protected:
  void SetUp() override { source.records = {{10, &mainCpp}, {11, &makefile}, {12, &gitignore}}; }
  DisplayRequest Ask(int32_t row, int32_t column, uint32_t mask = 0x7) {
    DisplayRequest request{row, column, mask, kControlBuffer};
    AnswerFileDisplayRequest(request, &keyArray, &sourceWord, ring);
    return request;
  }

  FakeFileRecord mainCpp{"main", "cpp", "src"};
  FakeFileRecord makefile{"Makefile", "", "C:\\work\\project"};
  FakeFileRecord gitignore{"", "gitignore", "C:\\work"};
  FakeFileSource source;
  HostFileSource* sourceWord = &source;
  uint32_t keys[3] = {10, 11, 12};
  HostFileKeyArray keyArray{keys};
  DisplayTextRing ring;
};

TEST_F(FileCellText, FileNameAndPathColumns) {
  const DisplayRequest named = Ask(0, 0, 0x2 | 0x8);  // image and state asked for
  EXPECT_STREQ(named.text, "main.cpp");
  EXPECT_EQ(named.mask, kListItemText);
  EXPECT_STREQ(Ask(0, 1).text, "src");
  EXPECT_STREQ(Ask(1, 0).text, "Makefile");
  EXPECT_STREQ(Ask(1, 1).text, "C:\\work\\project");
  EXPECT_STREQ(Ask(2, 0).text, ".gitignore");
  EXPECT_STREQ(Ask(2, 7).text, "C:\\work");  // any column past 0 shows the path
}

TEST_F(FileCellText, KeyArrayAndSourceAreReadAfreshEachRequest) {
  EXPECT_STREQ(Ask(0, 0).text, "main.cpp");
  EXPECT_EQ(source.lastKey, 10u);

  uint32_t swapped[1] = {12};
  keyArray.keys = swapped;
  EXPECT_STREQ(Ask(0, 0).text, ".gitignore");

  FakeFileRecord other{"other", "h", "inc"};
  FakeFileSource otherSource;
  otherSource.records = {{12, &other}};
  sourceWord = &otherSource;
  EXPECT_STREQ(Ask(0, 0).text, "other.h");
  EXPECT_EQ(otherSource.lookups, 1);
}

TEST_F(FileCellText, UnanswerableRequestsKeepTheControlsText) {
  EXPECT_EQ(Ask(-1, 0).text, kControlBuffer);
  EXPECT_EQ(source.lookups, 0);  // nothing read for a negative row
  EXPECT_EQ(Ask(-1, 0).mask, kListItemText);

  keys[0] = 99;  // a key the source does not know
  EXPECT_EQ(Ask(0, 0).text, kControlBuffer);

  // A host may create the dialog without its key array or its source's word.
  const int lookups = source.lookups;
  for (const bool keysGiven : {false, true}) {
    DisplayRequest request{0, 0, 0x7, kControlBuffer};
    AnswerFileDisplayRequest(request, keysGiven ? &keyArray : nullptr,
                             keysGiven ? nullptr : &sourceWord, ring);
    EXPECT_EQ(request.text, kControlBuffer);
  }
  EXPECT_EQ(source.lookups, lookups);

  sourceWord = nullptr;
  EXPECT_EQ(Ask(1, 0).text, kControlBuffer);
  keyArray.keys = nullptr;
  EXPECT_EQ(Ask(1, 0).text, kControlBuffer);
}

TEST_F(FileCellText, NullRecordTextsShowEmpty) {
  mainCpp.nullTexts = true;
  EXPECT_STREQ(Ask(0, 0).text, "");
  EXPECT_STREQ(Ask(0, 1).text, "");
}

}  // namespace
}  // namespace tolvane
