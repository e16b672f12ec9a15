#include "find_dialog.h"

#include <commctrl.h>

namespace tolvane::host {

bool FindDialog::Open() {
  if (dialog_ != nullptr) return true;
  const DialogTemplate dialogTemplate = BuildTemplate();
  // An ANSI dialog: its list then sends the ANSI display requests the module answers.
  dialog_ = ::CreateDialogIndirectParamA(::GetModuleHandleW(nullptr), dialogTemplate.Get(), owner_,
                                         DialogProc, reinterpret_cast<LPARAM>(this));
  if (dialog_ == nullptr) return false;
  // Read by the init entry: the lists show where the typed text matched.
  ::SetPropA(dialog_, kHighlightMatchesProperty, reinterpret_cast<HANDLE>(1));
  AttachModule();
  outcome_.clear();
  Refilter();
  ::SetFocus(Item(MainComboId()));
  return true;
}

void FindDialog::Close() {
  if (dialog_ == nullptr) return;
  DetachModule();
  ::RemovePropA(dialog_, kHighlightMatchesProperty);
  HWND dialog = dialog_;
  dialog_ = nullptr;
  ::DestroyWindow(dialog);
  if (owner_ != nullptr) ::SetActiveWindow(owner_);
}

INT_PTR CALLBACK FindDialog::DialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NOTIFYFORMAT) {
    // Asked by the list while the dialog is still being built, before `self` is known.
    ::SetWindowLongPtrW(dialog, DWLP_MSGRESULT, NFR_ANSI);
    return TRUE;
  }
  if (message == WM_INITDIALOG) {
    ::SetWindowLongPtrW(dialog, DWLP_USER, lParam);
    return TRUE;
  }
  auto* self = reinterpret_cast<FindDialog*>(::GetWindowLongPtrW(dialog, DWLP_USER));
  if (self == nullptr || self->dialog_ != dialog) return FALSE;
  return self->Handle(message, wParam, lParam);
}

INT_PTR FindDialog::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_NOTIFY: {
      const auto* header = reinterpret_cast<const NMHDR*>(lParam);
      if (header->code == UINT(NM_CHAR) && int(header->idFrom) != ListId()) {
        // The combo box's text may not be final yet (a confirmed drop-down pick): read it later.
        ::PostMessageW(dialog_, kRefilterMessage, 0, 0);
        return TRUE;
      }
      if (header->code == UINT(NM_CUSTOMDRAW) && int(header->idFrom) == ListId()) {
        ::SetWindowLongPtrW(dialog_, DWLP_MSGRESULT,
                            PaintSelectionAsFocused(reinterpret_cast<NMLVCUSTOMDRAW*>(lParam)));
        return TRUE;
      }
      if (header->code == UINT(NM_DBLCLK) && int(header->idFrom) == ListId()) {
        Confirm();
        return TRUE;
      }
      return FALSE;
    }
    case kRefilterMessage:
      Refilter();
      return TRUE;
    case kCloseMessage:
      Close();
      if (onClosed_) onClosed_();
      return TRUE;
    case WM_COMMAND:
      if (LOWORD(wParam) == IDOK) {
        Confirm();
        return TRUE;
      }
      if (LOWORD(wParam) == IDCANCEL) {
        outcome_ = "dialog closed";
        CloseSoon();
        return TRUE;
      }
      return FALSE;
    default:
      return HandleRequest(message, wParam, lParam) ? TRUE : FALSE;
  }
}

// The keyboard stays in a combo box, so the list never has the focus; its selected row is drawn
// in the highlight colours all the same, so that steering it from the combo box can be seen.
LRESULT FindDialog::PaintSelectionAsFocused(NMLVCUSTOMDRAW* draw) const {
  if (draw->nmcd.dwDrawStage == CDDS_PREPAINT) return CDRF_NOTIFYITEMDRAW;
  if (draw->nmcd.dwDrawStage != CDDS_ITEMPREPAINT) return CDRF_DODEFAULT;
  const LRESULT state =
      ::SendMessageW(Item(ListId()), LVM_GETITEMSTATE, draw->nmcd.dwItemSpec, LVIS_SELECTED);
  if (state & LVIS_SELECTED) {
    draw->nmcd.uItemState &= ~UINT(CDIS_SELECTED);
    draw->clrText = ::GetSysColor(COLOR_HIGHLIGHTTEXT);
    draw->clrTextBk = ::GetSysColor(COLOR_HIGHLIGHT);
  }
  return CDRF_DODEFAULT;
}

void FindDialog::ShowRows(std::size_t count) {
  HWND list = Item(ListId());
  ::SendMessageW(list, LVM_SETITEMCOUNT, WPARAM(count), 0);
  LVITEMA clear{};
  clear.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
  ::SendMessageW(list, LVM_SETITEMSTATE, WPARAM(-1), reinterpret_cast<LPARAM>(&clear));
  if (count > 0) {
    LVITEMA first{};
    first.state = first.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    ::SendMessageW(list, LVM_SETITEMSTATE, 0, reinterpret_cast<LPARAM>(&first));
    ::SendMessageW(list, LVM_ENSUREVISIBLE, 0, FALSE);
  }
  ::InvalidateRect(list, nullptr, TRUE);
}

int FindDialog::RowCount() const {
  return int(::SendMessageW(Item(ListId()), LVM_GETITEMCOUNT, 0, 0));
}

int FindDialog::SelectedRow() const {
  return int(::SendMessageW(Item(ListId()), LVM_GETNEXTITEM, WPARAM(-1), LVNI_SELECTED));
}

std::string FindDialog::CellText(int row, int column) const {
  char buffer[1024] = "";
  LVITEMA item{};
  item.iSubItem = column;
  item.pszText = buffer;
  item.cchTextMax = int(sizeof buffer);
  ::SendMessageA(Item(ListId()), LVM_GETITEMTEXTA, WPARAM(row), reinterpret_cast<LPARAM>(&item));
  return buffer;
}

std::string FindDialog::ComboText(int id) const {
  char buffer[1024] = "";
  ::GetWindowTextA(Item(id), buffer, int(sizeof buffer));
  return buffer;
}

std::vector<std::string> FindDialog::ComboItems(int id) const {
  std::vector<std::string> items;
  HWND combo = Item(id);
  const int count = int(::SendMessageA(combo, CB_GETCOUNT, 0, 0));
  for (int i = 0; i < count; ++i) {
    const int length = int(::SendMessageA(combo, CB_GETLBTEXTLEN, WPARAM(i), 0));
    if (length < 0) continue;
    std::string text(std::size_t(length) + 1, '\0');
    ::SendMessageA(combo, CB_GETLBTEXT, WPARAM(i), reinterpret_cast<LPARAM>(text.data()));
    text.resize(std::size_t(length));
    items.push_back(text);
  }
  return items;
}

std::vector<int> FindDialog::ColumnWidths() const {
  std::vector<int> widths;
  HWND header = reinterpret_cast<HWND>(::SendMessageW(Item(ListId()), LVM_GETHEADER, 0, 0));
  const int columns = header != nullptr ? int(::SendMessageW(header, HDM_GETITEMCOUNT, 0, 0)) : 0;
  for (int i = 0; i < columns; ++i) {
    widths.push_back(int(::SendMessageW(Item(ListId()), LVM_GETCOLUMNWIDTH, WPARAM(i), 0)));
  }
  return widths;
}

}  // namespace tolvane::host
