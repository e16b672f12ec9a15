#include "finddlg/win32/find_list_ctrl.h"

#include "finddlg/file_cell_text.h"
#include "finddlg/tag_cell_text.h"

namespace tolvane {

bool CFindListCtrl::OnReflectedNotification(UINT message, WPARAM, LPARAM lParam, LRESULT& result) {
  if (message != WM_NOTIFY || lParam == 0) return false;
  auto* header = reinterpret_cast<NMHDR*>(lParam);
  if (header->hwndFrom != Handle() || header->code != LVN_GETDISPINFOA) return false;
  LVITEMA& item = reinterpret_cast<NMLVDISPINFOA*>(lParam)->item;
  DisplayRequest cell{item.iItem, item.iSubItem, item.mask, item.pszText};
  answer_(cell, ring_);
  item.mask = cell.mask;
  // The control only reads the text it is pointed at; the const goes for the record's sake.
  item.pszText = const_cast<char*>(cell.text);
  result = 0;
  return true;
}

CFindFileListCtrl::CFindFileListCtrl(const HostFileKeyArray* keys,
                                     HostFileSource* const* fileSource)
    : CFindListCtrl([keys, fileSource](DisplayRequest& request, DisplayTextRing& ring) {
        AnswerFileDisplayRequest(request, keys, fileSource, ring);
      }) {}

CFindTagListCtrl::CFindTagListCtrl(const HostTagArray* tags)
    : CFindListCtrl([tags](DisplayRequest& request, DisplayTextRing& ring) {
        AnswerTagDisplayRequest(request, tags, ring);
      }) {}

}  // namespace tolvane
