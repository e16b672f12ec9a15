// Both Find lists answer their own display requests through reflection, from the host's records
// as they are at each request; the dialog never sees the requests.
#include <windows.h>

// needs windows.h first
#include <commctrl.h>
#include <gtest/gtest.h>

#include <cstring>

#include "find_dialog_fixtures.h"

namespace tolvane::testing {
namespace {

using SentAnsiRequest = SentRequest<NMLVDISPINFOA>;

class FindFileListText : public FindFileTest {
 protected:
  void SetUp() override {
    FindFileTest::SetUp();
    records.push_back(std::make_unique<FakeFileRecord>("main", "cpp", "src"));
    records.push_back(std::make_unique<FakeFileRecord>("Makefile", "", "C:\\work\\tool"));
    records.push_back(std::make_unique<FakeFileRecord>("", "gitignore", "C:\\work"));
    records.push_back(std::make_unique<FakeFileRecord>("a-rather-long-file-title", "h",
                                                       "C:\\a\\path\\long\\enough\\to\\allocate"));
    for (uint32_t i = 0; i < records.size(); ++i) {
      source.records[40 + i] = records[i].get();
      keys.push_back(40 + i);
    }
    keyArray.keys = keys.data();
    Open(static_cast<int>(keys.size()));
  }
};

TEST_F(FindFileListText, CellsShowTheFileNameAndThePath) {
  EXPECT_EQ(CellText(list, 0, 0), "main.cpp");
  EXPECT_EQ(CellText(list, 0, 1), "src");
  EXPECT_EQ(CellText(list, 1, 0), "Makefile");
  EXPECT_EQ(CellText(list, 1, 1), "C:\\work\\tool");
  EXPECT_EQ(CellText(list, 2, 0), ".gitignore");
  EXPECT_EQ(CellText(list, 2, 1), "C:\\work");
  EXPECT_EQ(dialog.Count(WM_NOTIFY, LVN_GETDISPINFOA), 0);
  EXPECT_EQ(dialog.Count(WM_NOTIFY, LVN_GETDISPINFOW), 0);
}

TEST_F(FindFileListText, TheHostsArrayAndSourceAreReadAtEveryRequest) {
  EXPECT_EQ(CellText(list, 0, 0), "main.cpp");
  std::vector<uint32_t> swapped{41};
  keyArray.keys = swapped.data();
  EXPECT_EQ(CellText(list, 0, 0), "Makefile");

  FakeFileRecord other("other", "txt", "D:\\");
  FakeFileSource otherSource;
  otherSource.records[41] = &other;
  sourceWord = &otherSource;
  EXPECT_EQ(CellText(list, 0, 0), "other.txt");
  EXPECT_EQ(otherSource.lastKey, 41u);
}

TEST_F(FindFileListText, ARequestComesBackTextOnlyWithTheControlsBufferUntouched) {
  char buffer[16] = "untouched";
  const SentAnsiRequest sent =
      Request(dialog.Handle(), list, 0, 2, buffer, LVIF_TEXT | LVIF_IMAGE | LVIF_STATE);
  EXPECT_EQ(sent.result, 0);
  EXPECT_EQ(sent.info.item.mask, UINT(LVIF_TEXT));
  EXPECT_STREQ(sent.info.item.pszText, "src");  // column 2 and beyond: the path
  EXPECT_NE(sent.info.item.pszText, buffer);
  EXPECT_STREQ(buffer, "untouched");
  EXPECT_EQ(sent.info.item.state, UINT(LVIS_CUT));
  EXPECT_EQ(sent.info.item.iImage, 7);
  EXPECT_EQ(dialog.Count(WM_NOTIFY, LVN_GETDISPINFOA), 0);
}

TEST_F(FindFileListText, ThePathIsTheRecordsOwnText) {
  char buffer[8] = "";
  EXPECT_EQ(Request(dialog.Handle(), list, 3, 1, buffer).info.item.pszText,
            records[3]->path.c_str());
}

class FindTagListText : public FindTagTest {
 protected:
  FakeTagRecord* AddTag() {
    records.push_back(std::make_unique<FakeTagRecord>());
    tags.push_back(records.back().get());
    return records.back().get();
  }
  std::vector<std::unique_ptr<FakeTagRecord>> records;
  FakeFileRecord mainCpp{"main", "cpp", "src"};
  FakeFileRecord makefile{"Makefile", "", "src"};
  FakeFileRecord dotH{"", "h", "src"};
};

TEST_F(FindTagListText, CellsShowKindNamespaceParentTagFileAndLine) {
  FakeTagRecord* tag = AddTag();
  tag->kind = kTagFunction;
  tag->nameSpace = "ns";
  tag->parentName = "Widget";
  tag->name = "Draw";
  tag->file = &mainCpp;
  tag->pattern = "^\tvoid Draw()\t{$";
  Open(1);

  const std::vector<std::string> expected{"Function", "ns",       "Widget",
                                          "Draw",     "main.cpp", " void Draw() {"};
  for (int column = 0; column < 6; ++column) {
    EXPECT_EQ(CellText(list, 0, column), expected[static_cast<size_t>(column)]) << column;
  }
  EXPECT_EQ(dialog.Count(WM_NOTIFY, LVN_GETDISPINFOA), 0);
}

TEST_F(FindTagListText, KindLabelsAndUnknownKinds) {
  for (int32_t kind : {5, 6, 12, 13, -1, 0}) AddTag()->kind = kind;
  Open(static_cast<int>(tags.size()));
  char buffer[16] = "mine";
  const std::vector<std::string> labels{"File", "Function", "Variable"};
  for (int row = 0; row < 3; ++row) {
    EXPECT_STREQ(Request(dialog.Handle(), list, row, 0, buffer).info.item.pszText,
                 labels[static_cast<size_t>(row)].c_str());
  }
  for (int row : {3, 4}) {
    const SentAnsiRequest sent =
        Request(dialog.Handle(), list, row, 0, buffer, LVIF_TEXT | LVIF_IMAGE);
    EXPECT_EQ(sent.info.item.pszText, buffer) << row;
    EXPECT_EQ(sent.info.item.mask, UINT(LVIF_TEXT));
    EXPECT_EQ(sent.result, 0);
  }
  EXPECT_EQ(CellText(list, 5, 0), "Class");
}

TEST_F(FindTagListText, RecordTextsAreHandedOverWithoutCopying) {
  FakeTagRecord* tag = AddTag();
  tag->nameSpace = "ns";
  tag->parentName = "Parent";
  tag->name = "Name";
  Open(1);
  char buffer[8] = "";
  EXPECT_EQ(Request(dialog.Handle(), list, 0, 1, buffer).info.item.pszText, tag->nameSpace);
  EXPECT_EQ(Request(dialog.Handle(), list, 0, 2, buffer).info.item.pszText, tag->parentName);
  EXPECT_EQ(Request(dialog.Handle(), list, 0, 3, buffer).info.item.pszText, tag->name);
  const SentAnsiRequest beyond =
      Request(dialog.Handle(), list, 0, 6, buffer, LVIF_TEXT | LVIF_STATE);
  EXPECT_EQ(beyond.info.item.pszText, buffer);
  EXPECT_EQ(beyond.info.item.mask, UINT(LVIF_TEXT));
}

TEST_F(FindTagListText, FileNameAndLineTexts) {
  struct Case {
    HostFileRecord* file;
    const char* pattern;
    const char* fileText;
    const char* lineText;
  };
  const Case cases[] = {
      {&mainCpp, "^int main()$", "main.cpp", "int main()"},
      {&makefile, "^^x$$", "Makefile", "x"},
      {&dotH, "a^b$c", ".h", "a^b$c"},
      {&mainCpp, "^$", "main.cpp", ""},
      {&mainCpp, "if (a)\treturn;", "main.cpp", "if (a) return;"},
  };
  for (const Case& c : cases) {
    FakeTagRecord* tag = AddTag();
    tag->file = c.file;
    tag->pattern = c.pattern;
  }
  Open(static_cast<int>(tags.size()));
  for (int row = 0; row < static_cast<int>(std::size(cases)); ++row) {
    EXPECT_EQ(CellText(list, row, 4), cases[row].fileText) << row;
    EXPECT_EQ(CellText(list, row, 5), cases[row].lineText) << row;
  }
}

TEST_F(FindTagListText, ComposedTextsUseThreeSlotsAndTheArrayIsReadAtEveryRequest) {
  FakeTagRecord* first = AddTag();
  first->file = &mainCpp;
  first->pattern = "^first$";
  Open(1);
  char buffer[8] = "";
  const char* p0 = Request(dialog.Handle(), list, 0, 4, buffer).info.item.pszText;
  const char* p1 = Request(dialog.Handle(), list, 0, 5, buffer).info.item.pszText;
  const char* p2 = Request(dialog.Handle(), list, 0, 4, buffer).info.item.pszText;
  EXPECT_STREQ(p0, "main.cpp");
  EXPECT_STREQ(p1, "first");
  EXPECT_NE(p0, p1);
  EXPECT_NE(p1, p2);
  EXPECT_NE(p0, p2);

  FakeTagRecord replacement;
  replacement.pattern = "^second$";
  std::vector<HostTagRecord*> moved{&replacement};
  tagArray.tags = moved.data();
  const char* p3 = Request(dialog.Handle(), list, 0, 5, buffer).info.item.pszText;
  EXPECT_EQ(p3, p0);
  EXPECT_STREQ(p0, "second");
  EXPECT_STREQ(p1, "first");
}

}  // namespace
}  // namespace tolvane::testing
