#include "framework/list_ctrl.h"

namespace tolvane {

DWORD CListCtrl::GetExtendedStyle() const {
  return static_cast<DWORD>(Send(LVM_GETEXTENDEDLISTVIEWSTYLE));
}

void CListCtrl::SetExtendedStyle(DWORD style) {
  // A zero mask means every bit: the style is written as given.
  Send(LVM_SETEXTENDEDLISTVIEWSTYLE, 0, static_cast<LPARAM>(style));
}

RECT CListCtrl::GetClientRect() const {
  RECT rect{};
  ::GetClientRect(Handle(), &rect);
  return rect;
}

int CListCtrl::InsertColumn(int index, const char* heading, int format, int width) {
  LVCOLUMNA column{};
  column.mask = LVCF_FMT | LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
  column.fmt = format;
  column.cx = width;
  column.pszText = const_cast<char*>(heading);
  column.iSubItem = index;
  return static_cast<int>(
      Send(LVM_INSERTCOLUMNA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&column)));
}

int CListCtrl::GetColumnWidth(int column) const {
  return static_cast<int>(Send(LVM_GETCOLUMNWIDTH, static_cast<WPARAM>(column)));
}

bool CListCtrl::SetColumnWidth(int column, int width) {
  return Send(LVM_SETCOLUMNWIDTH, static_cast<WPARAM>(column), MAKELPARAM(width, 0)) != 0;
}

int CListCtrl::GetFirstSelectedRow() const {
  return static_cast<int>(
      Send(LVM_GETNEXTITEM, static_cast<WPARAM>(-1), MAKELPARAM(LVNI_SELECTED, 0)));
}

bool CListCtrl::SetItemState(int row, UINT state, UINT mask) {
  LVITEMA item{};
  item.state = state;
  item.stateMask = mask;
  return Send(LVM_SETITEMSTATE, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item)) != 0;
}

int CListCtrl::GetItemCount() const {
  return static_cast<int>(Send(LVM_GETITEMCOUNT));
}

void CListCtrl::SetItemCount(int rows) {
  Send(LVM_SETITEMCOUNT, static_cast<WPARAM>(rows));
}

bool CListCtrl::EnsureVisible(int row, bool partialOk) {
  return Send(LVM_ENSUREVISIBLE, static_cast<WPARAM>(row), partialOk ? TRUE : FALSE) != 0;
}

void CListCtrl::SendKeyDown(WPARAM virtualKey, LPARAM keyData) {
  Send(WM_KEYDOWN, virtualKey, keyData);
}

}  // namespace tolvane
