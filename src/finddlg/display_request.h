// A list control's request for one cell's text, as the portable core sees it. The Windows list
// classes copy iItem, iSubItem, mask and pszText of NMLVDISPINFOA::item into it, call the
// answering function (file_cell_text.h, tag_cell_text.h), copy mask and text back (text through a
// const_cast: the control only reads it) and set the notification's result to 0. For a wide
// request (NMLVDISPINFOW) text goes in null and a text that comes back goes to the control
// converted; null coming back leaves the control's pointer. Nothing else of the record is read or
// written, and the control's own buffer is never written.
#pragma once

#include <cstdint>

namespace tolvane {

inline constexpr uint32_t kListItemText = 1;  // LVIF_TEXT

struct DisplayRequest {
  int32_t row;       // iItem: element of the host's array
  int32_t column;    // iSubItem
  uint32_t mask;     // every answered request leaves with kListItemText alone
  const char* text;  // pszText: left as the control supplied it when the cell has no text to give
};

}  // namespace tolvane
