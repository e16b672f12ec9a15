#include "finddlg/win32/find_tag_list_ctrl.h"

#include "finddlg/tag_cell_text.h"
#include "finddlg/win32/list_display_info.h"

namespace tolvane {

bool CFindTagListCtrl::OnReflectedNotification(UINT message, WPARAM, LPARAM lParam,
                                               LRESULT& result) {
  NMLVDISPINFOA* request = DisplayInfoRequestOf(*this, message, lParam);
  if (request == nullptr) return false;
  OnGetDispInfo(*request, result);
  return true;
}

void CFindTagListCtrl::OnGetDispInfo(NMLVDISPINFOA& request, LRESULT& result) {
  DisplayRequest cell = ToDisplayRequest(request);
  AnswerTagDisplayRequest(cell, tags_, ring_);
  ApplyDisplayAnswer(cell, request);
  result = 0;
}

}  // namespace tolvane
