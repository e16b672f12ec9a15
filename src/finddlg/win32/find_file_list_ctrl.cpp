#include "finddlg/win32/find_file_list_ctrl.h"

#include "finddlg/file_cell_text.h"
#include "finddlg/win32/list_display_info.h"

namespace tolvane {

bool CFindFileListCtrl::OnReflectedNotification(UINT message, WPARAM, LPARAM lParam,
                                                LRESULT& result) {
  NMLVDISPINFOA* request = DisplayInfoRequestOf(*this, message, lParam);
  if (request == nullptr) return false;
  OnGetDispInfo(*request, result);
  return true;
}

void CFindFileListCtrl::OnGetDispInfo(NMLVDISPINFOA& request, LRESULT& result) {
  DisplayRequest cell = ToDisplayRequest(request);
  AnswerFileDisplayRequest(cell, keys_, fileSource_, ring_);
  ApplyDisplayAnswer(cell, request);
  result = 0;
}

}  // namespace tolvane
