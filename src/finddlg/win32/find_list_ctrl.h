// The Find dialogs' lists: owner-data lists whose rows are the host's records. They keep no rows:
// each cell text is found or composed when the control asks, by the dialog's own class from the
// host's data (file_cell_text.h, tag_cell_text.h). An ANSI list asks with LVN_GETDISPINFOA and gets
// the host's narrow text; a Unicode list (one whose dialog is a Unicode window) asks with
// LVN_GETDISPINFOW and gets the same text converted from the ANSI code page to UTF-16.
// CFindFileListCtrl is the Find File list (1020), CFindTagListCtrl the Find Tag list (1050).
//
// A list whose host asked for highlighting also takes part in the list view's custom draw: it
// draws the cells of its highlighted columns itself, with the characters that match the text of
// the column's combo box set apart (match_painter.h), and leaves every other cell, and the
// dialog's own custom draw, as they were (highlight_draw_stages.h).
#pragma once

#include <array>
#include <memory>
#include <span>

#include "finddlg/display_request.h"
#include "finddlg/display_text_ring.h"
#include "finddlg/highlight_draw_stages.h"
#include "finddlg/win32/match_painter.h"
#include "framework/list_ctrl.h"
#include "tolvane/host_objects.h"

namespace tolvane {

// A column whose cells show where the text of `queryWindow` (a combo box) matched.
struct HighlightedColumn {
  int32_t column;
  HWND queryWindow;
  bool lineSuffix;  // the query may end in a line number that matches nothing
};
inline constexpr std::size_t kMaxHighlightedColumns = 2;

class CFindListCtrl : public CListCtrl {
 public:
  CFindListCtrl();
  ~CFindListCtrl() override;

  // From now on the cells of `columns` (at most kMaxHighlightedColumns) highlight matches.
  void HighlightMatches(std::span<const HighlightedColumn> columns);

  // Override point: answers the list's own LVN_GETDISPINFOA and LVN_GETDISPINFOW, so the dialog
  // never sees them. Of the record only iItem, iSubItem, mask and pszText are read, and only mask
  // and pszText written; the control's own text buffer is never touched.
  bool OnReflectedNotification(UINT message, WPARAM wParam, LPARAM lParam,
                               LRESULT& result) override;

 protected:
  // Fills in one cell's request from the host's data; composed texts go into `ring`, which keeps
  // them alive for the control after the request returns.
  virtual void Answer(DisplayRequest& request, DisplayTextRing& ring) = 0;

 private:
  void AnswerNarrow(LVITEMA& item);
  void AnswerWide(LVITEMW& item);
  // NM_CUSTOMDRAW while highlighting: the dialog's answer with the list's drawing added.
  LRESULT DrawWithHighlights(WPARAM wParam, NMLVCUSTOMDRAW& draw);
  // Reads the queries at the start of a paint.
  void BeginHighlightedPaint();
  // True when the cell of `draw` was drawn with its matches.
  bool DrawHighlightedCell(const NMLVCUSTOMDRAW& draw);

  struct Highlighting;
  std::unique_ptr<Highlighting> highlighting_;  // null while highlighting is off
  DisplayTextRing ring_;
  WideDisplayTextRing wideRing_;  // the wide copies of the texts a Unicode list is handed
};

// Row i is the host's key i, looked up in the source its word holds; both are read afresh at
// every request, so a swap by the host shows at the next one.
class CFindFileListCtrl final : public CFindListCtrl {
 public:
  CFindFileListCtrl(const HostFileKeyArray* keys, HostFileSource* const* fileSource)
      : keys_(keys), fileSource_(fileSource) {}

 private:
  void Answer(DisplayRequest& request, DisplayTextRing& ring) override;

  const HostFileKeyArray* keys_;
  HostFileSource* const* fileSource_;
};

// Row i is element i of the host's tag array, read afresh at every request.
class CFindTagListCtrl final : public CFindListCtrl {
 public:
  explicit CFindTagListCtrl(const HostTagArray* tags) : tags_(tags) {}

 private:
  void Answer(DisplayRequest& request, DisplayTextRing& ring) override;

  const HostTagArray* tags_;
};

}  // namespace tolvane
