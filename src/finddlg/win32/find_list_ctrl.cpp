#include "finddlg/win32/find_list_ctrl.h"

#include <algorithm>
#include <cstring>
#include <string_view>

#include "finddlg/file_cell_text.h"
#include "finddlg/matched_runs.h"
#include "finddlg/tag_cell_text.h"
#include "framework/notification_reflection.h"

namespace tolvane {

struct CFindListCtrl::Highlighting {
  struct Column {
    HighlightedColumn source;
    // The combo box's text at the start of the paint. One that fills the buffer, cut or not, has
    // more than kFuzzyMaxQuery characters (none is longer than 4 bytes): it matches nothing.
    std::array<char, 4 * kFuzzyMaxQuery + 2> query;
    std::size_t queryLength = 0;
  };
  std::array<Column, kMaxHighlightedColumns> columns{};
  std::size_t columnCount = 0;
  bool matchable = false;  // the code page is one the matcher reads
  FuzzyEncoding encoding = FuzzyEncoding::kSingleByte;
  HighlightDrawStages stages;
  MatchPainter painter;
};

namespace {

// The host's texts are in the thread's ANSI code page. No code page gives more UTF-16 units than it
// has bytes (a byte is at most one unit, and a character of two units takes four bytes in UTF-8),
// so the slot sized to the bytes takes the text in one call.
const wchar_t* StoreWide(WideDisplayTextRing& ring, const char* text) {
  const int bytes = static_cast<int>(std::strlen(text));
  wchar_t* slot = ring.NextSlot(static_cast<std::size_t>(bytes));
  int units = 0;
  if (bytes != 0) {
    units = ::MultiByteToWideChar(CP_THREAD_ACP, 0, text, bytes, slot, bytes);
  }
  return ring.Commit(static_cast<std::size_t>(units));
}

}  // namespace

CFindListCtrl::CFindListCtrl() = default;
CFindListCtrl::~CFindListCtrl() = default;

void CFindListCtrl::HighlightMatches(std::span<const HighlightedColumn> columns) {
  auto highlighting = std::make_unique<Highlighting>();
  for (const HighlightedColumn& column :
       columns.first(std::min(columns.size(), kMaxHighlightedColumns))) {
    highlighting->columns[highlighting->columnCount++].source = column;
  }
  highlighting_ = std::move(highlighting);
}

bool CFindListCtrl::OnReflectedNotification(UINT message, WPARAM wParam, LPARAM lParam,
                                            LRESULT& result) {
  // Reflected notifications are routed by their sender: this list, with its NMHDR.
  if (message != WM_NOTIFY) return false;
  const auto* header = reinterpret_cast<const NMHDR*>(lParam);
  if (header->code == LVN_GETDISPINFOA) {
    AnswerNarrow(reinterpret_cast<NMLVDISPINFOA*>(lParam)->item);
  } else if (header->code == LVN_GETDISPINFOW) {
    AnswerWide(reinterpret_cast<NMLVDISPINFOW*>(lParam)->item);
  } else if (header->code == NM_CUSTOMDRAW && highlighting_ != nullptr) {
    result = DrawWithHighlights(wParam, *reinterpret_cast<NMLVCUSTOMDRAW*>(lParam));
    return true;
  } else {
    return false;
  }
  result = 0;
  return true;
}

LRESULT CFindListCtrl::DrawWithHighlights(WPARAM wParam, NMLVCUSTOMDRAW& draw) {
  const uint32_t stage = draw.nmcd.dwDrawStage;
  uint32_t dialogAnswer = CDRF_DODEFAULT;
  if (highlighting_->stages.ForDialog(stage)) {
    // The dialog's code may close it, and the close deletes this object.
    WindowWatch self(this);
    dialogAnswer = static_cast<uint32_t>(
        PassToDialog(::GetParent(Handle()), WM_NOTIFY, wParam, reinterpret_cast<LPARAM>(&draw)));
    if (self.Get() == nullptr) return dialogAnswer;
  }
  if (stage == kDrawPrepaint) BeginHighlightedPaint();
  const bool drawn = stage == kDrawSubitemPrepaint &&
                     HighlightDrawStages::MayDrawCell(dialogAnswer) && DrawHighlightedCell(draw);
  return highlighting_->stages.Answer(stage, dialogAnswer, drawn);
}

void CFindListCtrl::BeginHighlightedPaint() {
  Highlighting& highlighting = *highlighting_;
  for (std::size_t i = 0; i < highlighting.columnCount; ++i) {
    Highlighting::Column& column = highlighting.columns[i];
    column.queryLength = static_cast<std::size_t>(::GetWindowTextA(
        column.source.queryWindow, column.query.data(), static_cast<int>(column.query.size())));
    uint32_t matched = 0, line = 0;
    if (column.source.lineSuffix) {
      FuzzyLineSuffix(column.query.data(), static_cast<uint32_t>(column.queryLength), &matched,
                      &line);
      column.queryLength = matched;
    }
  }
  // The texts are shown converted from the code page an ANSI list view uses, or from the thread's
  // for a Unicode list (as AnswerWide does). The matcher reads every single-byte code page, UTF-8
  // and the double-byte 932, 936, 949 and 950; any other (of characters of several bytes) it would
  // split.
  const UINT codePage = Send(LVM_GETUNICODEFORMAT) != 0 ? CP_THREAD_ACP : CP_ACP;
  CPINFOEXW info{};  // left zero, should the code page be unknown: nothing is matchable
  ::GetCPInfoExW(codePage, 0, &info);
  highlighting.encoding = FuzzyEncodingForCodePage(info.CodePage);
  highlighting.matchable =
      info.MaxCharSize == 1 || highlighting.encoding != FuzzyEncoding::kSingleByte;
  highlighting.painter.BeginPaint(Handle(), codePage);
}

bool CFindListCtrl::DrawHighlightedCell(const NMLVCUSTOMDRAW& draw) {
  Highlighting& highlighting = *highlighting_;
  if (!highlighting.matchable) return false;
  const Highlighting::Column* column = nullptr;
  for (std::size_t i = 0; i < highlighting.columnCount; ++i) {
    if (highlighting.columns[i].source.column == draw.iSubItem) column = &highlighting.columns[i];
  }
  if (column == nullptr || column->queryLength == 0) return false;
  DisplayRequest cell{static_cast<int32_t>(draw.nmcd.dwItemSpec), draw.iSubItem, kListItemText,
                      nullptr};
  Answer(cell, ring_);
  if (cell.text == nullptr) return false;
  const std::string_view text(cell.text);
  std::array<MatchedRun, kMaxMatchedRuns> runs;
  const uint32_t count =
      FindMatchedRuns(std::string_view(column->query.data(), column->queryLength), text,
                      highlighting.encoding, runs);
  return count != 0 &&
         highlighting.painter.DrawCell(Handle(), draw, text, std::span(runs).first(count));
}

void CFindListCtrl::AnswerNarrow(LVITEMA& item) {
  DisplayRequest cell{item.iItem, item.iSubItem, item.mask, item.pszText};
  Answer(cell, ring_);
  item.mask = cell.mask;
  // The control only reads the text it is pointed at; the const goes for the record's sake.
  item.pszText = const_cast<char*>(cell.text);
}

void CFindListCtrl::AnswerWide(LVITEMW& item) {
  // A null text going in marks the control's own pointer: an answer that leaves it null had no
  // text to give, and the control keeps its pointer. The narrow ring serves as scratch for the
  // composed texts, as a list asks with one of the two notifications only.
  DisplayRequest cell{item.iItem, item.iSubItem, item.mask, nullptr};
  Answer(cell, ring_);
  if (cell.text != nullptr) {
    item.pszText = const_cast<wchar_t*>(StoreWide(wideRing_, cell.text));
  }
  item.mask = cell.mask;
}

void CFindFileListCtrl::Answer(DisplayRequest& request, DisplayTextRing& ring) {
  AnswerFileDisplayRequest(request, keys_, fileSource_, ring);
}

void CFindTagListCtrl::Answer(DisplayRequest& request, DisplayTextRing& ring) {
  AnswerTagDisplayRequest(request, tags_, ring);
}

}  // namespace tolvane
