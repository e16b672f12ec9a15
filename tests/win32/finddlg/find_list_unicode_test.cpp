// Both Find lists in a host's Unicode dialog: the lists ask with LVN_GETDISPINFOW and show the
// host's narrow texts (ANSI code page) as UTF-16, under the rules of the ANSI request.
#include <windows.h>

// needs windows.h first
#include <commctrl.h>
#include <gtest/gtest.h>

#include "find_dialog_fixtures.h"

namespace tolvane::testing {
namespace {

// The records hold code page 1252 bytes, written as octal escapes (a hex escape would swallow the
// letters after it): \334 Ü, \366 ö, \337 ß, \351 é are Latin-1 too, while \200 € and \227 (em
// dash) are not, so a byte-for-byte widening or a UTF-8 reading shows wrongly.
constexpr UINT kTestCodePage = 1252;

using SentWideRequest = SentRequest<NMLVDISPINFOW>;

class FindFileUnicodeList : public FindFileTest {
 protected:
  FindFileUnicodeList() : FindFileTest(TestDialog::Charset::kUnicode) {}
  void SetUp() override {
    FindFileTest::SetUp();
    ASSERT_EQ(::GetACP(), kTestCodePage) << "the records are written in code page 1252";
    records.push_back(
        std::make_unique<FakeFileRecord>("\334bersicht", "cpp", "C:\\Projekte\\Gr\366\337e \200"));
    records.push_back(std::make_unique<FakeFileRecord>("Makefile", "", ""));
    for (uint32_t i = 0; i < records.size(); ++i) {
      source.records[40 + i] = records[i].get();
      keys.push_back(40 + i);
    }
    keys.push_back(99);  // no record
    keyArray.keys = keys.data();
    Open(static_cast<int>(keys.size()));
    ASSERT_TRUE(::SendMessageW(list, LVM_GETUNICODEFORMAT, 0, 0)) << "asks with LVN_GETDISPINFOW";
  }
};

TEST_F(FindFileUnicodeList, CellsShowTheHostsTextsInUtf16) {
  EXPECT_EQ(WideCellText(list, 0, 0), L"\u00DCbersicht.cpp");
  EXPECT_EQ(WideCellText(list, 0, 1), L"C:\\Projekte\\Gr\u00F6\u00DFe \u20AC");
  EXPECT_EQ(WideCellText(list, 1, 0), L"Makefile");
  EXPECT_EQ(WideCellText(list, 1, 1), L"");
  EXPECT_EQ(dialog.Count(WM_NOTIFY, LVN_GETDISPINFOW), 0);
  EXPECT_EQ(dialog.Count(WM_NOTIFY, LVN_GETDISPINFOA), 0);
}

TEST_F(FindFileUnicodeList, ARequestComesBackTextOnlyAndTextsLiveThroughTwoMore) {
  wchar_t buffer[16] = L"untouched";
  const SentWideRequest sent =
      Request(dialog.Handle(), list, 0, 0, buffer, LVIF_TEXT | LVIF_IMAGE | LVIF_STATE);
  EXPECT_EQ(sent.result, 0);
  EXPECT_EQ(sent.info.item.mask, UINT(LVIF_TEXT));
  EXPECT_EQ(sent.info.item.state, UINT(LVIS_CUT));
  EXPECT_EQ(sent.info.item.iImage, 7);
  EXPECT_STREQ(buffer, L"untouched");

  const wchar_t* first = sent.info.item.pszText;
  const wchar_t* second = Request(dialog.Handle(), list, 0, 1, buffer).info.item.pszText;
  const wchar_t* third = Request(dialog.Handle(), list, 1, 0, buffer).info.item.pszText;
  EXPECT_STREQ(first, L"\u00DCbersicht.cpp");
  EXPECT_STREQ(second, L"C:\\Projekte\\Gr\u00F6\u00DFe \u20AC");
  EXPECT_STREQ(third, L"Makefile");
  EXPECT_NE(first, buffer);
  EXPECT_NE(first, second);
  EXPECT_NE(second, third);
  EXPECT_NE(first, third);
  const wchar_t* fourth = Request(dialog.Handle(), list, 1, 1, buffer).info.item.pszText;
  EXPECT_EQ(fourth, first);
  EXPECT_STREQ(second, L"C:\\Projekte\\Gr\u00F6\u00DFe \u20AC");

  // A key the source has no record for: no text to give, the control's pointer stays.
  const SentWideRequest unanswered = Request(dialog.Handle(), list, 2, 0, buffer, LVIF_STATE);
  EXPECT_EQ(unanswered.info.item.pszText, buffer);
  EXPECT_EQ(unanswered.info.item.mask, UINT(LVIF_TEXT));
  EXPECT_EQ(dialog.Count(WM_NOTIFY, LVN_GETDISPINFOW), 0);
}

class FindTagUnicodeList : public FindTagTest {
 protected:
  FindTagUnicodeList() : FindTagTest(TestDialog::Charset::kUnicode) {}
  FakeFileRecord file{"\334bersicht", "h", "src"};
  FakeTagRecord tag;
  FakeTagRecord unknownKind;
};

TEST_F(FindTagUnicodeList, CellsShowTheHostsTextsInUtf16) {
  ASSERT_EQ(::GetACP(), kTestCodePage) << "the records are written in code page 1252";
  tag.kind = kTagFunction;
  tag.nameSpace = "Caf\351";
  tag.parentName = "Gr\366\337e";
  tag.name = "\200uro";
  tag.file = &file;
  tag.pattern = "^\tint a \227 b;$";
  unknownKind.kind = 13;
  unknownKind.nameSpace = nullptr;
  tags = {&tag, &unknownKind};
  Open(2);
  ASSERT_TRUE(::SendMessageW(list, LVM_GETUNICODEFORMAT, 0, 0)) << "asks with LVN_GETDISPINFOW";

  const std::wstring expected[] = {L"Function",  L"Caf\u00E9",        L"Gr\u00F6\u00DFe",
                                   L"\u20ACuro", L"\u00DCbersicht.h", L" int a \u2014 b;"};
  for (int column = 0; column < 6; ++column) {
    EXPECT_EQ(WideCellText(list, 0, column), expected[column]) << column;
  }
  EXPECT_EQ(dialog.Count(WM_NOTIFY, LVN_GETDISPINFOW), 0);

  // A kind without a label keeps the control's pointer; a null text shows as an empty cell.
  wchar_t buffer[8] = L"mine";
  EXPECT_EQ(Request(dialog.Handle(), list, 1, 0, buffer).info.item.pszText, buffer);
  const wchar_t* empty = Request(dialog.Handle(), list, 1, 1, buffer).info.item.pszText;
  EXPECT_NE(empty, buffer);
  EXPECT_STREQ(empty, L"");
}

}  // namespace
}  // namespace tolvane::testing
