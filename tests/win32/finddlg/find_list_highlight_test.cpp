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

#include <memory>
#include <string>
#include <vector>

#include "find_dialog_fixtures.h"
#include "harness/import_patch.h"
#include "harness/list_canvas.h"
#include "tolvane/tolvane.h"

namespace tolvane::testing {
namespace {

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

// Hands the list an image list of `which` kind (on) or takes it back and destroys it (off).
void UseImageList(HWND list, int which, bool on) {
  HIMAGELIST images = on ? ::ImageList_Create(16, 16, ILC_COLOR32, 1, 1) : nullptr;
  auto old =
      ::SendMessageA(list, LVM_SETIMAGELIST, WPARAM(which), reinterpret_cast<LPARAM>(images));
  if (!on) ::ImageList_Destroy(reinterpret_cast<HIMAGELIST>(old));
}

// Sets a font of the test's own on the list (on), or the list's font from before (off).
void UseFontOfItsOwn(HWND list, bool on) {
  static HFONT before = nullptr;
  static HFONT font = nullptr;
  if (on) {
    before = reinterpret_cast<HFONT>(::SendMessageA(list, WM_GETFONT, 0, 0));
    LOGFONTA face{};
    face.lfHeight = -15;
    face.lfCharSet = DEFAULT_CHARSET;
    font = ::CreateFontIndirectA(&face);
  }
  ::SendMessageA(list, WM_SETFONT, reinterpret_cast<WPARAM>(on ? font : before), FALSE);
  if (!on) ::DeleteObject(font);
}

HFONT WINAPI NoFont(const LOGFONTW*) {
  return nullptr;
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
    // As when it is not selected.
    {"selected, unfocused, selection not always shown",
     [](HWND list, bool on) { Select(list, on); }, COLOR_WINDOW, COLOR_WINDOWTEXT, true},
    {"with a small image list", [](HWND list, bool on) { UseImageList(list, LVSIL_SMALL, on); },
     COLOR_WINDOW, COLOR_WINDOWTEXT, true},
    {"with a state image list", [](HWND list, bool on) { UseImageList(list, LVSIL_STATE, on); },
     COLOR_WINDOW, COLOR_WINDOWTEXT, true},
    {"in a font of its own", &UseFontOfItsOwn, COLOR_WINDOW, COLOR_WINDOWTEXT, true},
    // Out of GDI objects as the font changes: the cells are drawn as the list draws them.
    {"in a font whose bold face cannot be made",
     [](HWND list, bool on) {
       static std::unique_ptr<ImportPatch> refused;
       if (on) {
         refused = std::make_unique<ImportPatch>(::GetModuleHandleA("TolvaneReg.dll"), "gdi32.dll",
                                                 "CreateFontIndirectW",
                                                 reinterpret_cast<const void*>(&NoFont));
       }
       UseFontOfItsOwn(list, on);
       if (!on) refused.reset();
     },
     COLOR_WINDOW, COLOR_WINDOWTEXT, false},
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
  // With `hostsProcedure`, the dialog's own procedure is that one, as a host's would be.
  void OpenWithQueries(bool highlighting, WNDPROC hostsProcedure = nullptr) {
    if (this->files.empty()) this->MakeRows(3);
    this->AddControls();
    if (hostsProcedure != nullptr) {
      ::SetWindowLongPtrA(this->dialog.Handle(), GWLP_WNDPROC,
                          reinterpret_cast<LONG_PTR>(hostsProcedure));
    }
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
    if (this->IsFindFile()) return {{0, 0, "fl1:12", "HTHTHT"}};  // the line matches nothing
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

// A host's dialog that draws every cell itself, in a colour of its own, and keeps the list's
// drawing from it.
constexpr COLORREF kHostsCellColour = RGB(0, 160, 0);
LRESULT CALLBACK DrawingEveryCell(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NOTIFY && reinterpret_cast<NMHDR*>(lParam)->code == UINT(NM_CUSTOMDRAW)) {
    auto& draw = *reinterpret_cast<NMLVCUSTOMDRAW*>(lParam);
    if (draw.nmcd.dwDrawStage == CDDS_PREPAINT) return CDRF_NOTIFYITEMDRAW;
    if (draw.nmcd.dwDrawStage == CDDS_ITEMPREPAINT) return CDRF_NOTIFYSUBITEMDRAW;
    if (draw.nmcd.dwDrawStage == (CDDS_SUBITEM | CDDS_ITEMPREPAINT)) {
      HBRUSH brush = ::CreateSolidBrush(kHostsCellColour);
      ::FillRect(draw.nmcd.hdc, &draw.nmcd.rc, brush);
      ::DeleteObject(brush);
      return CDRF_SKIPDEFAULT;
    }
  }
  return ::CallWindowProcA(TestDialog::OwnProcedure(), hwnd, message, wParam, lParam);
}

TEST_P(FindListHighlight, ACellTheDialogDrawsItselfShowsOnlyWhatItDrew) {
  OpenWithQueries(true, &DrawingEveryCell);
  ListCanvas picture(list);
  picture.Paint();
  for (const HighlightCase& c : Cases()) {
    const RECT cell = CellRect(list, 1, c.column);
    EXPECT_EQ(picture.At((cell.left + cell.right) / 2, (cell.top + cell.bottom) / 2),
              kHostsCellColour);
    EXPECT_EQ(InkRuns(picture, list, 1, c.column, kHostsCellColour), "") << "query " << c.query;
  }
}

// A Unicode list shows the texts converted from the thread's code page and highlights by its
// characters: in a thread of a two-byte code page (932) of a process of a single-byte one.
TEST_P(FindListHighlightUnicode, InAThreadOfATwoByteCodePageTheCellsShowTheirMatches) {
  const LCID before = ::GetThreadLocale();
  ASSERT_TRUE(
      ::SetThreadLocale(MAKELCID(MAKELANGID(LANG_JAPANESE, SUBLANG_JAPANESE_JAPAN), SORT_DEFAULT)));
  OpenWithQueries(true);
  ListCanvas picture(list);
  picture.Paint();
  ::SetThreadLocale(before);
  for (const HighlightCase& c : Cases()) {
    EXPECT_EQ(InkRuns(picture, list, 1, c.column), c.runs) << "query " << c.query;
  }
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
  // Room for the dots only: no match shows.
  for (const HighlightCase& c : Cases()) {
    ::SendMessageW(list, LVM_SETCOLUMNWIDTH, static_cast<WPARAM>(c.column), 16);
  }
  picture.Paint();
  for (const HighlightCase& c : Cases()) {
    EXPECT_EQ(InkRuns(picture, list, 1, c.column), "T") << "query " << c.query;
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
