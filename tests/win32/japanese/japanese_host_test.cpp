// A host in a Japanese locale: its ANSI code page is 932 (Shift JIS), whose two-byte characters
// may have "|", "\" or a Latin letter as their second byte. The module reads the histories it
// stores and the names it highlights by those characters. Run in the locale ja_JP.UTF-8, from
// which Wine takes the code page (./run test makes the locale when it is missing).
#include <windows.h>

// needs windows.h first
#include <commctrl.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "finddlg/find_dialog_fixtures.h"
#include "finddlg/find_test_controls.h"
#include "harness/list_canvas.h"
#include "tolvane/tolvane.h"

namespace tolvane::testing {
namespace {

// Katakana "po-to" (port) and "so-su" (source), kanji "hyouji" (display), in code page 932:
// the second bytes of "po" and "hyou" are "|" and "\", that of "so" is "\".
const std::string kPort = "\x83\x7C\x81\x5B\x83\x67";
const std::string kDisplay = "\x95\x5C\x8E\xA6";
const std::string kSource = "\x83\x5C\x81\x5B\x83\x58";

void ExpectCodePage932() {
  ASSERT_EQ(::GetACP(), 932u) << "run in the locale ja_JP.UTF-8, which ./run test makes";
}

class JapaneseHost : public FindDialogTest {
 protected:
  JapaneseHost() : FindDialogTest(kFindFile) {}
  void SetUp() override { ExpectCodePage932(); }
};

// Stored by an earlier life, opened, added to, closed and stored again: every item stays whole,
// and the next life finds them all.
TEST_F(JapaneseHost, AHistoryOfJapaneseNamesKeepsItsItemsWholeFromLifeToLife) {
  WriteProfileString("Config", "FilenameEditList", kPort + "|" + kDisplay + "|");
  Open();
  EXPECT_EQ(ComboItems(combos[0]), (std::vector<std::string>{kPort, kDisplay}));
  AddHistory(0, kSource);
  ASSERT_TRUE(Close());
  DestroyModule();
  EXPECT_EQ(ReadProfileString("Config", "FilenameEditList"),
            kSource + "|" + kPort + "|" + kDisplay + "|");

  Open();
  EXPECT_EQ(ComboItems(combos[0]), (std::vector<std::string>{kSource, kPort, kDisplay}));
}

// "hyouji so-su.cpp" searched for "so" and "c": both characters are drawn in the highlight
// colour, whole, in an ANSI list and in a Unicode one.
template <TestDialog::Charset kCharset>
class JapaneseList : public FindDialogTest {
 protected:
  JapaneseList() : FindDialogTest(kFindFile, kCharset) {}
  void SetUp() override { ExpectCodePage932(); }
  void ExpectMatchedCharactersDrawnApart() {
    files.emplace_back(kDisplay + kSource, "cpp", "C:\\");
    source.records[100] = &files.back();
    keys.push_back(100);
    keyArray.keys = keys.data();
    AddControls();
    ::SetPropA(dialog.Handle(), kHighlightMatchesProperty, reinterpret_cast<HANDLE>(1));
    Init(1);
    ::SetWindowTextA(combos[0],
                     "\x83\x5C"
                     "c");
    ListCanvas picture(list);
    picture.Paint();
    EXPECT_EQ(InkRuns(picture, list, 0, 0), "THTHT");
  }
};

using JapaneseAnsiList = JapaneseList<TestDialog::Charset::kAnsi>;
using JapaneseUnicodeList = JapaneseList<TestDialog::Charset::kUnicode>;

TEST_F(JapaneseAnsiList, HighlightsWholeJapaneseCharacters) {
  ExpectMatchedCharactersDrawnApart();
}

TEST_F(JapaneseUnicodeList, HighlightsWholeJapaneseCharacters) {
  ExpectMatchedCharactersDrawnApart();
}

}  // namespace
}  // namespace tolvane::testing
