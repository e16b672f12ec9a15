// Draws a Find list's cell with the characters the typed text matched set apart: in bold, and in
// the system's highlight colour unless the cell's background is that colour (a selected row).
// It takes the place of the list view's own drawing of the cell, so it lays the text out as the
// list view does: the same colours for the row's state, the same inset, vertically centred, cut
// with "..." where it does not fit.
#pragma once

#include <windows.h>

// needs windows.h first
#include <commctrl.h>

#include <array>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "finddlg/matched_runs.h"

namespace tolvane {

class MatchPainter {
 public:
  MatchPainter() = default;
  MatchPainter(const MatchPainter&) = delete;
  MatchPainter& operator=(const MatchPainter&) = delete;
  ~MatchPainter();

  // At the start of a paint of `list`: what its cells share. `codePage` converts the cells' texts
  // as the list shows them.
  void BeginPaint(HWND list, UINT codePage);
  // Draws the cell of `draw`, a subitem stage, showing `text` of which `runs` matched. False
  // (nothing drawn) when the bold face cannot be made.
  bool DrawCell(HWND list, const NMLVCUSTOMDRAW& draw, std::string_view text,
                std::span<const MatchedRun> runs);

 private:
  // The bold face of the font selected into `dc`, made once per font; false when it cannot be.
  bool TakeFont(HDC dc);
  // The cell's text in UTF-16 with, per unit, whether it matched.
  void Convert(std::string_view text, std::span<const MatchedRun> runs);
  // Each unit's advance: the regular font's, the bold one's where it matched.
  void Measure(HDC dc);
  // Where the list view puts the cell's text and background.
  RECT CellRect(HWND list, const NMLVCUSTOMDRAW& draw) const;

  UINT codePage_ = CP_ACP;
  bool focused_ = false;
  bool showSelectionAlways_ = false;
  bool gridLines_ = false;
  // Without images the first column's cells lie within its heading, so no cell needs asking the
  // list (which measures the row's text again for it).
  bool imageless_ = false;
  RECT firstHeading_{};
  COLORREF highlight_ = 0;
  HFONT font_ = nullptr;  // the list's, not ours
  HFONT boldFont_ = nullptr;
  int textHeight_ = 0;
  int dotWidth_ = 0;
  // Advances of the ASCII characters in either face, so that most cells need no measuring.
  std::array<int, 128> regularAdvances_{};
  std::array<int, 128> boldAdvances_{};
  // Scratch reused from cell to cell.
  std::wstring wide_;
  std::vector<char> matched_;
  std::vector<int> advances_;
  std::vector<int> extents_;
  std::wstring plain_;
  std::wstring bold_;
  std::vector<int> plainDx_;
  std::vector<int> boldDx_;
};

}  // namespace tolvane
