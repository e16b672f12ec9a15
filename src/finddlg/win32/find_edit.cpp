#include "finddlg/win32/find_edit.h"

#include "finddlg/dialog_messages.h"

namespace tolvane {
namespace {

// The key routing's view of a Find combo box on real controls: the Ctrl key as it is now, the
// combo's drop-down state and dialog, and the list the combo steers (keys for a missing list go
// nowhere).
class ComboKeyControls final : public KeyRoutingControls {
 public:
  ComboKeyControls(CComboBoxEx& combo, CListCtrl* list) : combo_(combo), list_(list) {}

  bool IsCtrlDown() override {
    // The key's state now, not as it was when the message was queued.
    return (::GetAsyncKeyState(VK_CONTROL) & 0x8000) != 0;
  }
  bool IsDropDownShowing() override { return combo_.GetDroppedState(); }
  void ForwardKeyToList(std::uintptr_t key, std::intptr_t keyData) override {
    if (list_ != nullptr) list_->SendKeyDown(key, keyData);
  }
  void SendRefreshRequest() override {
    ::SendMessageA(combo_.Parent(), kRefreshRequestMessage, static_cast<WPARAM>(combo_.ControlId()),
                   0);
  }
  int32_t FirstSelectedRow() override {
    return list_ != nullptr ? list_->GetFirstSelectedRow() : -1;
  }
  int32_t RowCount() override { return list_ != nullptr ? list_->GetItemCount() : 0; }
  void SetRowSelectedFocused(int32_t row, bool on) override {
    constexpr UINT kBoth = LVIS_SELECTED | LVIS_FOCUSED;
    if (list_ != nullptr) list_->SetItemState(row, on ? kBoth : 0, kBoth);
  }
  void EnsureRowFullyVisible(int32_t row) override {
    if (list_ != nullptr) list_->EnsureVisible(row, false);
  }

 private:
  CComboBoxEx& combo_;
  CListCtrl* list_;
};

// WM_NOTIFY to the combo's parent, wParam = the combo's identifier, lParam = an NMCHAR whose
// header holds the combo's window, that identifier and NM_CHAR; the reply is not examined.
void OnEditChange(CWnd& combo) {
  const int id = combo.ControlId();
  NMCHAR record{};
  record.hdr.hwndFrom = combo.Handle();
  record.hdr.idFrom = static_cast<UINT_PTR>(id);
  record.hdr.code = static_cast<UINT>(kNotifyCharCode);
  ::SendMessageA(combo.Parent(), WM_NOTIFY, static_cast<WPARAM>(id),
                 reinterpret_cast<LPARAM>(&record));
}

}  // namespace

bool CFindEdit::PreTranslateMessage(MSG& message) {
  ComboKeyControls controls(*this, list_);
  if (RouteComboMessage(keys_, message.message, message.wParam, message.lParam, controls)) {
    return true;
  }
  return CComboBoxEx::PreTranslateMessage(message);
}

bool CFindEdit::OnReflectedNotification(UINT message, WPARAM wParam, LPARAM lParam,
                                        LRESULT& result) {
  if (message != WM_COMMAND || reinterpret_cast<HWND>(lParam) != Handle()) return false;
  const UINT code = HIWORD(wParam);
  if (code != kComboEditChange && code != kComboSelEndOk) return false;
  OnEditChange(*this);
  result = 0;
  return true;
}

}  // namespace tolvane
