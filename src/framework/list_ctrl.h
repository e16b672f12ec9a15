// CListCtrl: a report-view list-view control, with the operations the module uses.
#pragma once

#include <windows.h>

// needs windows.h first
#include <commctrl.h>

#include "framework/window.h"

namespace tolvane {

class CListCtrl : public CWnd {
 public:
  DWORD GetExtendedStyle() const { return static_cast<DWORD>(Send(LVM_GETEXTENDEDLISTVIEWSTYLE)); }
  // A zero mask means every bit: the style is written as given.
  void SetExtendedStyle(DWORD style) {
    Send(LVM_SETEXTENDEDLISTVIEWSTYLE, 0, static_cast<LPARAM>(style));
  }
  RECT GetClientRect() const {
    RECT rect{};
    ::GetClientRect(Handle(), &rect);
    return rect;
  }
  // -1 on failure.
  int InsertColumn(int index, const char* heading, int format, int width) {
    LVCOLUMNA column{};
    column.mask = LVCF_FMT | LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
    column.fmt = format;
    column.cx = width;
    column.pszText = const_cast<char*>(heading);
    column.iSubItem = index;
    return static_cast<int>(
        Send(LVM_INSERTCOLUMNA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&column)));
  }
  int GetColumnWidth(int column) const {
    return static_cast<int>(Send(LVM_GETCOLUMNWIDTH, static_cast<WPARAM>(column)));
  }
  // The first selected row searching from the start, or -1.
  int GetFirstSelectedRow() const {
    return static_cast<int>(
        Send(LVM_GETNEXTITEM, static_cast<WPARAM>(-1), MAKELPARAM(LVNI_SELECTED, 0)));
  }
  // Sets the state bits of `row` that `mask` selects (row -1: every row).
  bool SetItemState(int row, UINT state, UINT mask) {
    LVITEMA item{};
    item.state = state;
    item.stateMask = mask;
    return Send(LVM_SETITEMSTATE, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item)) != 0;
  }
  int GetItemCount() const { return static_cast<int>(Send(LVM_GETITEMCOUNT)); }
  // With partialOk false the row ends up entirely visible.
  bool EnsureVisible(int row, bool partialOk = false) {
    return Send(LVM_ENSUREVISIBLE, static_cast<WPARAM>(row), static_cast<LPARAM>(partialOk)) != 0;
  }
  // A WM_KEYDOWN, answered before this returns. The object handles no keys itself, so the key
  // goes straight to the list's own procedure (see SendToOwnProcedure).
  void SendKeyDown(WPARAM virtualKey, LPARAM keyData = 0) {
    SendToOwnProcedure(WM_KEYDOWN, virtualKey, keyData);
  }
};

}  // namespace tolvane
