// CListCtrl: a report-view list-view control, with the operations the module uses.
#pragma once

#include <windows.h>

// needs windows.h first
#include <commctrl.h>

#include "framework/window.h"

namespace tolvane {

class CListCtrl : public CWnd {
 public:
  DWORD GetExtendedStyle() const;
  void SetExtendedStyle(DWORD style);
  RECT GetClientRect() const;
  // Inserts column `index` with a heading, an alignment (LVCFMT_*) and a width; -1 on failure.
  int InsertColumn(int index, const char* heading, int format, int width);
  int GetColumnWidth(int column) const;
  bool SetColumnWidth(int column, int width);
  // The first selected row searching from the start, or -1.
  int GetFirstSelectedRow() const;
  // Sets the state bits of `row` that `mask` selects (row -1: every row).
  bool SetItemState(int row, UINT state, UINT mask);
  int GetItemCount() const;
  // Number of rows of a virtual list.
  void SetItemCount(int rows);
  // Scrolls `row` into view; with partialOk false the row ends up entirely visible.
  bool EnsureVisible(int row, bool partialOk = false);
  // Sends the list a WM_KEYDOWN with the given key code and key data, synchronously.
  void SendKeyDown(WPARAM virtualKey, LPARAM keyData = 0);
};

}  // namespace tolvane
