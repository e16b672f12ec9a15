// Both Find lists answer their own display requests through reflection, in an ANSI dialog (the
// list asks with LVN_GETDISPINFOA) and in a Unicode one (LVN_GETDISPINFOW: the host's narrow texts,
// in its ANSI code page, shown as UTF-16). What each cell shows is the native cell text tests'
// (file_cell_text_test, tag_cell_text_test); here, that the real list shows it, that the request
// record comes back as the control needs it, and that the host's objects are read where the init
// entry was told they are.
#include <windows.h>

// needs windows.h first
#include <commctrl.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "find_dialog_fixtures.h"
#include "finddlg/display_text_ring.h"
#include "finddlg/file_cell_text.h"
#include "finddlg/tag_cell_text.h"

namespace tolvane::testing {
namespace {

template <TestDialog::Charset kCharset>
class ListTextTest : public EachFindDialog<kCharset> {
 protected:
  // A row with no text in column 0: in Find File a key without a record, in Find Tag a kind
  // without a label.
  void AddUnanswerableRow() {
    if (this->IsFindFile()) {
      this->keys.push_back(99);
      this->keyArray.keys = this->keys.data();
    } else {
      FakeTagRecord& tag = this->tagRecords.emplace_back();
      tag.kind = kTagKindCount;
      this->tags.push_back(&tag);
      this->tagArray.tags = this->tags.data();
    }
  }
  // A column that shows one of the record's texts unchanged (the path; the tag's name), and that
  // text in `row`. The tag's name is handed over as it is; the path is copied, as a file record
  // need not outlive the request.
  int PlainColumn() const { return this->IsFindFile() ? 1 : 3; }
  const char* PlainText(int row) {
    const auto at = static_cast<std::size_t>(row);
    return this->IsFindFile() ? this->files[at].path.c_str() : this->tagRecords[at].name;
  }
};

using FindListText = ListTextTest<TestDialog::Charset::kAnsi>;
TOLVANE_FOR_BOTH_FIND_DIALOGS(FindListText);

TEST_P(FindListText, TheListShowsWhatTheCellRulesAnswerAndTheDialogNeverSeesTheRequests) {
  MakeRows(2);
  Open(2);
  for (int row = 0; row < 2; ++row) {
    for (int column = 0; column < static_cast<int>(kind.columns.size()); ++column) {
      DisplayTextRing ring;
      DisplayRequest answer{row, column, kListItemText, ""};
      if (IsFindFile()) {
        AnswerFileDisplayRequest(answer, &keyArray, &sourceWord, ring);
      } else {
        AnswerTagDisplayRequest(answer, &tagArray, ring);
      }
      EXPECT_EQ(CellText(list, row, column), answer.text) << row << " " << column;
    }
  }
  EXPECT_EQ(dialog.Count(WM_NOTIFY, LVN_GETDISPINFOA), 0);
  EXPECT_EQ(dialog.Count(WM_NOTIFY, LVN_GETDISPINFOW), 0);
  // A command the host sends in the list's name is no notification of the list's: it passes.
  ::SendMessageA(dialog.Handle(), WM_COMMAND, MAKEWPARAM(kind.listId, 0),
                 reinterpret_cast<LPARAM>(list));
  EXPECT_TRUE(dialog.ReceivedCode(WM_COMMAND, kind.listId, 0));
}

TEST_P(FindListText, ARequestComesBackTextOnlyWithTheControlsBufferAndItemUntouched) {
  MakeRows(1);
  AddUnanswerableRow();
  Open(2);
  char buffer[16] = "untouched";
  const auto sent =
      Request(dialog.Handle(), list, 0, PlainColumn(), buffer, LVIF_TEXT | LVIF_IMAGE | LVIF_STATE);
  EXPECT_EQ(sent.result, 0);
  EXPECT_EQ(sent.info.item.mask, UINT(LVIF_TEXT));
  EXPECT_STREQ(sent.info.item.pszText, PlainText(0));
  if (!IsFindFile()) {
    EXPECT_EQ(sent.info.item.pszText, PlainText(0));  // handed over, not copied
  }
  EXPECT_STREQ(buffer, "untouched");
  EXPECT_EQ(sent.info.item.state, UINT(LVIS_CUT));
  EXPECT_EQ(sent.info.item.iImage, 7);

  const auto unanswered = Request(dialog.Handle(), list, 1, 0, buffer, LVIF_TEXT | LVIF_IMAGE);
  EXPECT_EQ(unanswered.result, 0);
  EXPECT_EQ(unanswered.info.item.pszText, buffer);
  EXPECT_EQ(unanswered.info.item.mask, UINT(LVIF_TEXT));
  EXPECT_EQ(dialog.Count(WM_NOTIFY, LVN_GETDISPINFOA), 0);
}

TEST_P(FindListText, TheHostsObjectsAreReadWhereInitWasToldTheyAreAtEveryRequest) {
  MakeRows(3);
  Open(3);
  if (IsFindFile()) {
    EXPECT_EQ(CellText(list, 0, 0), "file0.cpp");
    std::vector<uint32_t> swapped{102};
    keyArray.keys = swapped.data();
    EXPECT_EQ(CellText(list, 0, 0), "file2.cpp");

    FakeFileRecord other("other", "txt", "D:\\");
    FakeFileSource otherSource;
    otherSource.records[102] = &other;
    sourceWord = &otherSource;
    EXPECT_EQ(CellText(list, 0, 0), "other.txt");
    EXPECT_EQ(otherSource.lastKey, 102u);
  } else {
    EXPECT_EQ(CellText(list, 0, 3), "tag0");
    std::vector<HostTagRecord*> moved{tags[2]};
    tagArray.tags = moved.data();
    EXPECT_EQ(CellText(list, 0, 3), "tag2");
  }
}

// The records hold code page 1252 bytes, written as octal escapes (a hex escape would swallow the
// letters after it): \334 Ü, \366 ö, \337 ß, \351 é are Latin-1 too, while \200 € and \227 (em
// dash) are not, so a byte-for-byte widening or a UTF-8 reading shows wrongly.
constexpr UINT kTestCodePage = 1252;

class FindListUnicode : public ListTextTest<TestDialog::Charset::kUnicode> {
 protected:
  // Row 0 with texts outside ASCII, row 1 whose in-place text is null, row 2 unanswerable.
  void SetUp() override {
    ASSERT_EQ(::GetACP(), kTestCodePage) << "the records are written in code page 1252";
    MakeRows(2);
    files[0] = FakeFileRecord("\334bersicht", "cpp", "C:\\Projekte\\Gr\366\337e \200");
    FakeTagRecord& tag = tagRecords[0];
    tag.nameSpace = "Caf\351";
    tag.parentName = "Gr\366\337e";
    tag.name = "\200uro";
    tag.pattern = "^\tint a \227 b;$";
    files[1].nullTexts = true;
    tagRecords[1].name = nullptr;
    AddUnanswerableRow();
    Open(3);
    ASSERT_TRUE(::SendMessageW(list, LVM_GETUNICODEFORMAT, 0, 0)) << "asks with LVN_GETDISPINFOW";
  }
};
TOLVANE_FOR_BOTH_FIND_DIALOGS(FindListUnicode);

TEST_P(FindListUnicode, CellsShowTheHostsTextsInUtf16) {
  const std::wstring fileName = L"\u00DCbersicht.cpp";
  const std::vector<std::wstring> expected =
      IsFindFile() ? std::vector<std::wstring>{fileName, L"C:\\Projekte\\Gr\u00F6\u00DFe \u20AC"}
                   : std::vector<std::wstring>{L"Function",  L"Caf\u00E9", L"Gr\u00F6\u00DFe",
                                               L"\u20ACuro", fileName,     L" int a \u2014 b;"};
  for (std::size_t column = 0; column < expected.size(); ++column) {
    EXPECT_EQ(CellText<wchar_t>(list, 0, static_cast<int>(column)), expected[column]) << column;
  }
  EXPECT_EQ(dialog.Count(WM_NOTIFY, LVN_GETDISPINFOW), 0);
  EXPECT_EQ(dialog.Count(WM_NOTIFY, LVN_GETDISPINFOA), 0);
}

TEST_P(FindListUnicode, ARequestComesBackTextOnlyAndOnlyAnUnansweredOneKeepsTheControlsText) {
  wchar_t buffer[16] = L"untouched";
  const auto sent =
      Request(dialog.Handle(), list, 0, 0, buffer, LVIF_TEXT | LVIF_IMAGE | LVIF_STATE);
  EXPECT_EQ(sent.result, 0);
  EXPECT_EQ(sent.info.item.mask, UINT(LVIF_TEXT));
  EXPECT_EQ(sent.info.item.state, UINT(LVIS_CUT));
  EXPECT_EQ(sent.info.item.iImage, 7);
  EXPECT_NE(sent.info.item.pszText, buffer);
  EXPECT_STREQ(buffer, L"untouched");

  // A null text is an empty cell, converted like any other; no text at all keeps the pointer.
  const wchar_t* empty = Request(dialog.Handle(), list, 1, PlainColumn(), buffer).info.item.pszText;
  EXPECT_NE(empty, buffer);
  EXPECT_STREQ(empty, L"");
  const auto unanswered = Request(dialog.Handle(), list, 2, 0, buffer, LVIF_STATE);
  EXPECT_EQ(unanswered.info.item.pszText, buffer);
  EXPECT_EQ(unanswered.info.item.mask, UINT(LVIF_TEXT));
  EXPECT_EQ(dialog.Count(WM_NOTIFY, LVN_GETDISPINFOW), 0);
}

}  // namespace
}  // namespace tolvane::testing
