#include "finddlg/win32/match_painter.h"

#include <algorithm>

namespace tolvane {
namespace {

// The list view's gap between a cell's left edge and its text, and between a row's left edge and
// its first cell.
constexpr int kTextInset = 5;
constexpr int kRowMargin = 2;

COLORREF Resolve(COLORREF colour, int fallback) {
  return colour == CLR_DEFAULT ? ::GetSysColor(fallback) : colour;
}

}  // namespace

MatchPainter::~MatchPainter() {
  if (boldFont_ != nullptr) ::DeleteObject(boldFont_);
}

void MatchPainter::BeginPaint(HWND list, UINT codePage) {
  codePage_ = codePage;
  focused_ = ::GetFocus() == list;
  const auto style = static_cast<DWORD>(::GetWindowLongPtrW(list, GWL_STYLE));
  showSelectionAlways_ = (style & LVS_SHOWSELALWAYS) != 0;
  const auto extendedStyle =
      static_cast<DWORD>(::SendMessageW(list, LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0));
  gridLines_ = (extendedStyle & LVS_EX_GRIDLINES) != 0;
  highlight_ = ::GetSysColor(COLOR_HIGHLIGHT);
  imageless_ = ::SendMessageW(list, LVM_GETIMAGELIST, LVSIL_SMALL, 0) == 0 &&
               ::SendMessageW(list, LVM_GETIMAGELIST, LVSIL_STATE, 0) == 0;
  // A report-view list with columns has its header, and the header its first item.
  auto header = reinterpret_cast<HWND>(::SendMessageW(list, LVM_GETHEADER, 0, 0));
  ::SendMessageW(header, HDM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&firstHeading_));
}

RECT MatchPainter::CellRect(HWND list, const NMLVCUSTOMDRAW& draw) const {
  // A subitem stage's rectangle is its cell, but the first column's is the whole row.
  if (draw.iSubItem != 0) return draw.nmcd.rc;
  const RECT& row = draw.nmcd.rc;
  if (imageless_) {
    return RECT{row.left + firstHeading_.left + kRowMargin, row.top, row.left + firstHeading_.right,
                row.bottom};
  }
  RECT cell{};
  cell.top = 0;
  cell.left = LVIR_LABEL;
  ::SendMessageW(list, LVM_GETSUBITEMRECT, draw.nmcd.dwItemSpec, reinterpret_cast<LPARAM>(&cell));
  return cell;
}

bool MatchPainter::TakeFont(HDC dc) {
  auto font = static_cast<HFONT>(::GetCurrentObject(dc, OBJ_FONT));
  if (font == font_) return true;
  // Another font: the bold face and the advances of the one before no longer fit.
  if (boldFont_ != nullptr) ::DeleteObject(boldFont_);
  font_ = nullptr;
  LOGFONTW face{};
  ::GetObjectW(font, sizeof face, &face);
  face.lfWeight = FW_BOLD;
  boldFont_ = ::CreateFontIndirectW(&face);
  if (boldFont_ == nullptr) return false;  // out of GDI objects: asked again at the next cell
  font_ = font;
  TEXTMETRICW metrics{};
  ::GetTextMetricsW(dc, &metrics);
  textHeight_ = metrics.tmHeight;
  ::GetCharWidth32W(dc, 0, 127, regularAdvances_.data());
  HGDIOBJ regular = ::SelectObject(dc, boldFont_);
  ::GetCharWidth32W(dc, 0, 127, boldAdvances_.data());
  ::SelectObject(dc, regular);
  dotWidth_ = regularAdvances_['.'];
  return true;
}

void MatchPainter::Convert(std::string_view text, std::span<const MatchedRun> runs) {
  // No code page gives more UTF-16 units than it has bytes. Runs hold whole characters, so the
  // parts convert as the whole text would.
  wide_.resize(text.size());
  matched_.resize(text.size());
  std::size_t units = 0;
  auto append = [&](std::size_t begin, std::size_t end, bool matched) {
    if (end <= begin) return;
    const int made =
        ::MultiByteToWideChar(codePage_, 0, text.data() + begin, static_cast<int>(end - begin),
                              wide_.data() + units, static_cast<int>(wide_.size() - units));
    std::fill_n(matched_.begin() + static_cast<std::ptrdiff_t>(units), made, matched);
    units += static_cast<std::size_t>(made);
  };
  std::size_t at = 0;
  for (const MatchedRun& run : runs) {
    append(at, run.begin, false);
    append(run.begin, run.end, true);
    at = run.end;
  }
  append(at, text.size(), false);
  wide_.resize(units);
  matched_.resize(units);
}

void MatchPainter::Measure(HDC dc) {
  const auto count = static_cast<int>(wide_.size());
  advances_.resize(wide_.size());
  if (std::all_of(wide_.begin(), wide_.end(), [](wchar_t c) { return c < 128; })) {
    for (int i = 0; i < count; ++i) {
      advances_[i] = (matched_[i] ? boldAdvances_ : regularAdvances_)[wide_[i]];
    }
    return;
  }
  extents_.resize(wide_.size());
  SIZE size{};
  ::GetTextExtentExPointW(dc, wide_.data(), count, 0, nullptr, extents_.data(), &size);
  for (int i = 0; i < count; ++i) advances_[i] = extents_[i] - (i > 0 ? extents_[i - 1] : 0);
  bold_.clear();
  for (int i = 0; i < count; ++i) {
    if (matched_[i]) bold_.push_back(wide_[i]);
  }
  HGDIOBJ regular = ::SelectObject(dc, boldFont_);
  ::GetTextExtentExPointW(dc, bold_.data(), static_cast<int>(bold_.size()), 0, nullptr,
                          extents_.data(), &size);
  ::SelectObject(dc, regular);
  for (int i = 0, k = 0; i < count; ++i) {
    if (!matched_[i]) continue;
    advances_[i] = extents_[k] - (k > 0 ? extents_[k - 1] : 0);
    ++k;
  }
}

bool MatchPainter::DrawCell(HWND list, const NMLVCUSTOMDRAW& draw, std::string_view text,
                            std::span<const MatchedRun> runs) {
  HDC dc = draw.nmcd.hdc;
  if (!TakeFont(dc)) return false;
  const RECT cell = CellRect(list, draw);

  // The colours the list view would take for this cell.
  COLORREF back = draw.clrTextBk;
  COLORREF fore = draw.clrText;
  if ((draw.nmcd.uItemState & CDIS_SELECTED) != 0) {
    if (focused_) {
      back = ::GetSysColor(COLOR_HIGHLIGHT);
      fore = ::GetSysColor(COLOR_HIGHLIGHTTEXT);
    } else if (showSelectionAlways_) {
      back = ::GetSysColor(COLOR_3DFACE);
      fore = ::GetSysColor(COLOR_BTNTEXT);
    }
  }
  back = Resolve(back, COLOR_WINDOW);
  fore = Resolve(fore, COLOR_WINDOWTEXT);
  const COLORREF matchColour = back == highlight_ ? fore : highlight_;

  Convert(text, runs);
  Measure(dc);

  // Cut with "..." as the list view does when the text is wider than the cell.
  const int left = cell.left + kTextInset;
  const int available = cell.right - left;
  std::size_t shown = wide_.size();
  int width = 0;
  for (int advance : advances_) width += advance;
  const bool cut = width > available;
  if (cut) {
    // Stops within the text: a cell with a match has some, and all of it, let alone with the
    // dots, is wider than the cell.
    width = 3 * dotWidth_;
    shown = 0;
    while (width + advances_[shown] <= available) width += advances_[shown++];
  }
  // The regular pass draws the unmatched characters (the matched ones as blanks of their width)
  // over the cell's background; the bold pass the matched ones over it.
  plain_.assign(wide_, 0, shown);
  plainDx_.assign(advances_.begin(), advances_.begin() + static_cast<std::ptrdiff_t>(shown));
  bold_.clear();
  boldDx_.clear();
  // Each bold character advances to the next one.
  int firstBold = -1;
  int previousBold = 0;
  int x = 0;
  for (std::size_t i = 0; i < shown; x += advances_[i], ++i) {
    if (!matched_[i]) continue;
    plain_[i] = L' ';
    if (firstBold < 0) {
      firstBold = x;
    } else {
      boldDx_.back() = x - previousBold;
    }
    previousBold = x;
    bold_.push_back(wide_[i]);
    boldDx_.push_back(advances_[i]);
  }
  if (cut) {
    plain_.append(L"...");
    plainDx_.insert(plainDx_.end(), 3, dotWidth_);
  }
  const int bottom = gridLines_ ? cell.bottom - 1 : cell.bottom;
  const int top = cell.top + (bottom - cell.top - textHeight_) / 2;

  const int oldMode = ::SetBkMode(dc, TRANSPARENT);
  ::SetTextColor(dc, fore);
  UINT options = ETO_CLIPPED;
  if (back != CLR_NONE) {
    ::SetBkColor(dc, back);
    options |= ETO_OPAQUE;
  }
  ::ExtTextOutW(dc, left, top, options, &cell, plain_.data(), static_cast<UINT>(plain_.size()),
                plainDx_.data());
  if (!bold_.empty()) {
    HGDIOBJ regular = ::SelectObject(dc, boldFont_);
    ::SetTextColor(dc, matchColour);
    ::ExtTextOutW(dc, left + firstBold, top, ETO_CLIPPED, &cell, bold_.data(),
                  static_cast<UINT>(bold_.size()), boldDx_.data());
    ::SelectObject(dc, regular);
    ::SetTextColor(dc, fore);
  }
  ::SetBkMode(dc, oldMode);
  return true;
}

}  // namespace tolvane
