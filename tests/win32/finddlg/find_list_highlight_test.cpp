// Highlighted matches, read back from the list's pixels: the list is painted into a bitmap
// (WM_PRINTCLIENT, custom draw included) and each cell scanned from left to right for ink in the
// system's highlight colour and ink in the window's text colour. Which characters match is the
// matcher's business (fuzzy_match.h) and how the list's custom draw and the dialog's share the
// stages is highlight_draw_stages_test's; here, that the matched characters, and only they, are
// drawn apart, in ANSI and Unicode lists, and that only the dialog's property turns it on.
#include <windows.h>

// needs windows.h first
#include <commctrl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

#include "find_dialog_fixtures.h"
#include "harness/list_canvas.h"
#include "tolvane/tolvane.h"

namespace tolvane::testing {
namespace {

// How far `pixel` lies from the line from `background` to `ink`, and how far along it (0 at the
// background, 1 at the ink): a glyph's smoothed edge lies on that line too.
struct Along {
  double distance;
  double share;
};
Along Between(COLORREF pixel, COLORREF background, COLORREF ink) {
  const double d[3] = {double(GetRValue(ink)) - GetRValue(background),
                       double(GetGValue(ink)) - GetGValue(background),
                       double(GetBValue(ink)) - GetBValue(background)};
  const double p[3] = {double(GetRValue(pixel)) - GetRValue(background),
                       double(GetGValue(pixel)) - GetGValue(background),
                       double(GetBValue(pixel)) - GetBValue(background)};
  const double length = d[0] * d[0] + d[1] * d[1] + d[2] * d[2];
  const double share = (p[0] * d[0] + p[1] * d[1] + p[2] * d[2]) / length;
  double distance = 0;
  for (int i = 0; i < 3; ++i) distance += std::abs(p[i] - share * d[i]);
  return {distance, share};
}

// The cell's ink from left to right, as a string: 'H' for a stretch of columns inked in the
// highlight colour, 'T' for one in the text colour ("HTHT" for matched, plain, matched, plain).
RECT CellRect(HWND list, int row, int column) {
  RECT cell{};
  cell.top = column;
  cell.left = LVIR_LABEL;
  ::SendMessageW(list, LVM_GETSUBITEMRECT, static_cast<WPARAM>(row),
                 reinterpret_cast<LPARAM>(&cell));
  return cell;
}

std::string InkRuns(const ListCanvas& picture, HWND list, int row, int column,
                    COLORREF background = ::GetSysColor(COLOR_WINDOW),
                    COLORREF text = ::GetSysColor(COLOR_WINDOWTEXT)) {
  const RECT cell = CellRect(list, row, column);
  const COLORREF highlight = ::GetSysColor(COLOR_HIGHLIGHT);
  std::string runs;
  // Inside the grid lines around the cell.
  const int right = std::min(static_cast<int>(cell.right) - 1, picture.Width());
  for (int x = cell.left + 1; x < right; ++x) {
    char ink = 0;
    for (int y = cell.top; y < cell.bottom - 1; ++y) {
      const COLORREF pixel = picture.At(x, y);
      if (pixel == background) continue;
      const Along toText = Between(pixel, background, text);
      const Along toHighlight = Between(pixel, background, highlight);
      const Along& nearer = toHighlight.distance < toText.distance ? toHighlight : toText;
      if (nearer.share > 0.4 && nearer.distance < 60) ink = &nearer == &toHighlight ? 'H' : 'T';
      if (ink == 'H') break;
    }
    if (ink != 0 && (runs.empty() || runs.back() != ink)) runs.push_back(ink);
  }
  return runs;
}

struct HighlightCase {
  int column;
  std::size_t combo;  // which of the dialog's combo boxes holds the query
  const char* query;  // against row 1: "file1.cpp", parent "Parent", tag "tag1"
  const char* runs;
};

// A state the host or the user may put the list in, and the colours its row 1 is drawn in then.
struct ListState {
  const char* name;
  void (*set)(HWND list, bool on);
  int background;
  int text;
  bool matchesApart;  // false: the matched characters take the text colour, as over a selection
};

void Select(HWND list, bool on) {
  LVITEMA item{};
  item.stateMask = LVIS_SELECTED;
  item.state = on ? LVIS_SELECTED : 0;
  ::SendMessageA(list, LVM_SETITEMSTATE, 1, reinterpret_cast<LPARAM>(&item));
}

const ListState kListStates[] = {
    {"selected in the focused list",
     [](HWND list, bool on) {
       Select(list, on);
       ::SetFocus(on ? list : nullptr);
     },
     COLOR_HIGHLIGHT, COLOR_HIGHLIGHTTEXT, false},
    {"selected, unfocused, selection always shown",
     [](HWND list, bool on) {
       Select(list, on);
       const LONG_PTR style = ::GetWindowLongPtrA(list, GWL_STYLE);
       ::SetWindowLongPtrA(list, GWL_STYLE,
                           on ? style | LVS_SHOWSELALWAYS : style & ~LVS_SHOWSELALWAYS);
     },
     COLOR_3DFACE, COLOR_BTNTEXT, true},
    {"with a small image list",
     [](HWND list, bool on) {
       HIMAGELIST images = on ? ::ImageList_Create(16, 16, ILC_COLOR32, 1, 1) : nullptr;
       auto old =
           ::SendMessageA(list, LVM_SETIMAGELIST, LVSIL_SMALL, reinterpret_cast<LPARAM>(images));
       if (!on) ::ImageList_Destroy(reinterpret_cast<HIMAGELIST>(old));
     },
     COLOR_WINDOW, COLOR_WINDOWTEXT, true},
    {"with no text background and no grid lines",
     [](HWND list, bool on) {
       ::SendMessageA(list, LVM_SETTEXTBKCOLOR, 0, on ? CLR_NONE : CLR_DEFAULT);
       ::SendMessageA(list, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_GRIDLINES,
                      on ? 0 : LVS_EX_GRIDLINES);
     },
     COLOR_WINDOW, COLOR_WINDOWTEXT, true},
};

template <TestDialog::Charset kCharset>
class ListHighlight : public EachFindDialog<kCharset> {
 protected:
  void OpenWithQueries(bool highlighting) {
    if (this->files.empty()) this->MakeRows(3);
    this->AddControls();
    if (highlighting) {
      ::SetPropA(this->dialog.Handle(), kHighlightMatchesProperty, reinterpret_cast<HANDLE>(1));
    }
    this->Init(3);
    for (const HighlightCase& c : Cases()) {
      ::SendMessageW(this->list, LVM_SETCOLUMNWIDTH, static_cast<WPARAM>(c.column), 100);
      ::SetWindowTextA(this->combos[c.combo], c.query);
    }
  }
  std::vector<HighlightCase> Cases() const {
    if (this->IsFindFile()) return {{0, 0, "fl1", "HTHTHT"}};
    return {{2, 0, "Pr", "HTHT"}, {3, 1, "t1", "HTH"}};
  }
  void ExpectMatchedCharactersDrawnApart() {
    OpenWithQueries(true);
    ListCanvas picture(this->list);
    picture.Paint();
    for (const HighlightCase& c : Cases()) {
      EXPECT_EQ(InkRuns(picture, this->list, 1, c.column), c.runs) << "query " << c.query;
    }
  }
};

using FindListHighlight = ListHighlight<TestDialog::Charset::kAnsi>;
TOLVANE_FOR_BOTH_FIND_DIALOGS(FindListHighlight);
using FindListHighlightUnicode = ListHighlight<TestDialog::Charset::kUnicode>;
TOLVANE_FOR_BOTH_FIND_DIALOGS(FindListHighlightUnicode);

TEST_P(FindListHighlight, MatchedCharactersAreDrawnInTheHighlightColourAndTheRestAsBefore) {
  ExpectMatchedCharactersDrawnApart();
}

TEST_P(FindListHighlightUnicode, MatchedCharactersAreDrawnApartInAUnicodeListToo) {
  ExpectMatchedCharactersDrawnApart();
}

TEST_P(FindListHighlight, EachListStateDrawsItsColoursAndTheMatchesApart) {
  OpenWithQueries(true);
  for (const ListState& state : kListStates) {
    state.set(list, true);
    ListCanvas picture(list);
    picture.Paint();
    for (const HighlightCase& c : Cases()) {
      EXPECT_EQ(InkRuns(picture, list, 1, c.column, ::GetSysColor(state.background),
                        ::GetSysColor(state.text)),
                state.matchesApart ? c.runs : "T")
          << state.name << ", query " << c.query;
      // Right of the text, inside the grid lines: the cell's own background.
      const RECT cell = CellRect(list, 1, c.column);
      EXPECT_EQ(picture.At(cell.right - 3, (cell.top + cell.bottom) / 2),
                ::GetSysColor(state.background))
          << state.name << ", query " << c.query;
    }
    state.set(list, false);
  }
}

TEST_P(FindListHighlight, TextsBeyondAsciiAndTooWideForTheCellKeepTheirMatchesApart) {
  // Row 1 as "f\xEFle1.cpp" (Latin-1 i with diaeresis), parent "P\xE4rent", tag "t\xE4g1"; then
  // its columns narrowed until the text is cut with "...", drawn in the text colour.
  MakeRows(3);
  files[1].title = "f\xEFle1";
  tagRecords[1].parentName = "P\xE4rent";
  tagRecords[1].name = "t\xE4g1";
  OpenWithQueries(true);
  {
    ListCanvas picture(list);
    picture.Paint();
    for (const HighlightCase& c : Cases()) {
      EXPECT_EQ(InkRuns(picture, list, 1, c.column), c.runs) << "query " << c.query;
    }
  }
  for (const HighlightCase& c : Cases()) {
    ::SendMessageW(list, LVM_SETCOLUMNWIDTH, static_cast<WPARAM>(c.column), 30);
  }
  ListCanvas picture(list);
  picture.Paint();
  for (const HighlightCase& c : Cases()) {
    EXPECT_EQ(InkRuns(picture, list, 1, c.column), "HT") << "query " << c.query;
  }
}

TEST_P(FindListHighlight, WithoutTheDialogsPropertyTheCellsShowNoHighlight) {
  OpenWithQueries(false);
  ListCanvas picture(list);
  picture.Paint();
  for (const HighlightCase& c : Cases()) EXPECT_EQ(InkRuns(picture, list, 1, c.column), "T");
}

}  // namespace
}  // namespace tolvane::testing
