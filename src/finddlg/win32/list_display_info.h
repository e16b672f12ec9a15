// The bridge between a list control's LVN_GETDISPINFOA and the core's DisplayRequest, shared by
// both Find lists: of the record only iItem, iSubItem, mask and pszText are read, and only mask
// and pszText are written; the control's own text buffer is never touched.
#pragma once

#include <windows.h>

// needs windows.h first
#include <commctrl.h>

#include "finddlg/display_request.h"

namespace tolvane {

class CWnd;

// The display request of `list` when a reflected notification is the list's own
// LVN_GETDISPINFOA; null for anything else.
NMLVDISPINFOA* DisplayInfoRequestOf(const CWnd& list, UINT message, LPARAM lParam);

inline DisplayRequest ToDisplayRequest(const NMLVDISPINFOA& info) {
  return {info.item.iItem, info.item.iSubItem, info.item.mask, info.item.pszText};
}

// The control only reads the text it is pointed at; the const goes for the record's sake.
inline void ApplyDisplayAnswer(const DisplayRequest& request, NMLVDISPINFOA& info) {
  info.item.mask = request.mask;
  info.item.pszText = const_cast<char*>(request.text);
}

}  // namespace tolvane
