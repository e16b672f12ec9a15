#include "finddlg/win32/find_list_ctrl.h"

#include <cstring>

#include "finddlg/file_cell_text.h"
#include "finddlg/tag_cell_text.h"

namespace tolvane {
namespace {

// The host's texts are in the thread's ANSI code page. No code page gives more UTF-16 units than it
// has bytes, so the slot sized to the bytes takes the text in one call; the size is asked only if a
// conversion should ever need more.
const wchar_t* StoreWide(WideDisplayTextRing& ring, const char* text) {
  const int bytes = static_cast<int>(std::strlen(text));
  wchar_t* slot = ring.NextSlot(static_cast<std::size_t>(bytes));
  int units = 0;
  if (bytes != 0) {
    units = ::MultiByteToWideChar(CP_THREAD_ACP, 0, text, bytes, slot, bytes);
    if (units == 0 && ::GetLastError() == ERROR_INSUFFICIENT_BUFFER) {
      // A size of 0 would ask for the size again instead of converting: only a known one goes on.
      const int needed = ::MultiByteToWideChar(CP_THREAD_ACP, 0, text, bytes, nullptr, 0);
      if (needed > 0) {
        slot = ring.NextSlot(static_cast<std::size_t>(needed));
        units = ::MultiByteToWideChar(CP_THREAD_ACP, 0, text, bytes, slot, needed);
      }
    }
  }
  return ring.Commit(static_cast<std::size_t>(units));
}

}  // namespace

bool CFindListCtrl::OnReflectedNotification(UINT message, WPARAM, LPARAM lParam, LRESULT& result) {
  if (message != WM_NOTIFY || lParam == 0) return false;
  auto* header = reinterpret_cast<NMHDR*>(lParam);
  if (header->hwndFrom != Handle()) return false;
  if (header->code == LVN_GETDISPINFOA) {
    AnswerNarrow(reinterpret_cast<NMLVDISPINFOA*>(lParam)->item);
  } else if (header->code == LVN_GETDISPINFOW) {
    AnswerWide(reinterpret_cast<NMLVDISPINFOW*>(lParam)->item);
  } else {
    return false;
  }
  result = 0;
  return true;
}

void CFindListCtrl::AnswerNarrow(LVITEMA& item) {
  DisplayRequest cell{item.iItem, item.iSubItem, item.mask, item.pszText};
  Answer(cell, ring_);
  item.mask = cell.mask;
  // The control only reads the text it is pointed at; the const goes for the record's sake.
  item.pszText = const_cast<char*>(cell.text);
}

void CFindListCtrl::AnswerWide(LVITEMW& item) {
  // A null text going in marks the control's own pointer: an answer that leaves it null had no
  // text to give, and the control keeps its pointer. The narrow ring serves as scratch for the
  // composed texts, as a list asks with one of the two notifications only.
  DisplayRequest cell{item.iItem, item.iSubItem, item.mask, nullptr};
  Answer(cell, ring_);
  if (cell.text != nullptr) {
    item.pszText = const_cast<wchar_t*>(StoreWide(wideRing_, cell.text));
  }
  item.mask = cell.mask;
}

void CFindFileListCtrl::Answer(DisplayRequest& request, DisplayTextRing& ring) {
  AnswerFileDisplayRequest(request, keys_, fileSource_, ring);
}

void CFindTagListCtrl::Answer(DisplayRequest& request, DisplayTextRing& ring) {
  AnswerTagDisplayRequest(request, tags_, ring);
}

}  // namespace tolvane
