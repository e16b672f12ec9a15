#include "finddlg/win32/find_edit.h"

#include "finddlg/win32/dialog_messages.h"

namespace tolvane {
namespace {

// The key routing's view of a Find combo box on real controls: the Ctrl key as it is now, the
// combo's drop-down state and dialog, and the list the combo steers (keys for a missing list go
// nowhere). What the routing sends may reach the host, whose handler can close the dialog (F5's
// request, a key the list passes on as a notification): the combo and the list are then deleted,
// and from there on they answer as a closed drop-down and an empty list and are sent nothing.
class ComboKeyControls final : public KeyRoutingControls {
 public:
  ComboKeyControls(CComboBoxEx& combo, CListCtrl* list) : combo_(&combo), list_(list) {}

  // The dialog closed while the key was being routed: the combo's object is gone.
  bool ComboGone() const { return combo_.Get() == nullptr; }

  bool IsCtrlDown() override {
    // The key's state now, not as it was when the message was queued.
    return (::GetAsyncKeyState(VK_CONTROL) & 0x8000) != 0;
  }
  bool IsDropDownShowing() override {
    CComboBoxEx* combo = Combo();
    return combo != nullptr && combo->GetDroppedState();
  }
  void ForwardKeyToList(std::uintptr_t key, std::intptr_t keyData) override {
    if (CListCtrl* list = List()) list->SendKeyDown(key, keyData);
  }
  void SendRefreshRequest() override {
    CComboBoxEx* combo = Combo();
    if (combo == nullptr) return;
    ::SendMessageA(combo->Parent(), kRefreshRequestMessage, static_cast<WPARAM>(combo->ControlId()),
                   0);
  }
  int32_t FirstSelectedRow() override {
    CListCtrl* list = List();
    return list != nullptr ? list->GetFirstSelectedRow() : -1;
  }
  int32_t RowCount() override {
    CListCtrl* list = List();
    return list != nullptr ? list->GetItemCount() : 0;
  }
  void SetRowSelectedFocused(int32_t row, bool on) override {
    constexpr UINT kBoth = LVIS_SELECTED | LVIS_FOCUSED;
    if (CListCtrl* list = List()) list->SetItemState(row, on ? kBoth : 0, kBoth);
  }
  void EnsureRowFullyVisible(int32_t row) override {
    if (CListCtrl* list = List()) list->EnsureVisible(row, false);
  }

 private:
  // Asked afresh before every use: null once the object has been deleted.
  CComboBoxEx* Combo() const { return static_cast<CComboBoxEx*>(combo_.Get()); }
  CListCtrl* List() const { return static_cast<CListCtrl*>(list_.Get()); }

  WindowWatch combo_;
  WindowWatch list_;
};

// The dialog's NM_CHAR (dialog_messages.h).
void OnEditChange(CWnd& combo) {
  const int id = combo.ControlId();
  NMCHAR record{};
  record.hdr.hwndFrom = combo.Handle();
  record.hdr.idFrom = static_cast<UINT_PTR>(id);
  record.hdr.code = static_cast<UINT>(NM_CHAR);
  ::SendMessageA(combo.Parent(), WM_NOTIFY, static_cast<WPARAM>(id),
                 reinterpret_cast<LPARAM>(&record));
}

}  // namespace

bool CFindEdit::PreTranslateMessage(MSG& message) {
  ComboKeyControls controls(*this, list_);
  const bool consumed =
      RouteComboMessage(keys_, message.message, message.wParam, message.lParam, controls);
  // A combo whose dialog closed meanwhile is freed, and the key's edit field is gone with it.
  if (consumed || controls.ComboGone()) return true;
  return CComboBoxEx::PreTranslateMessage(message);
}

bool CFindEdit::OnReflectedNotification(UINT message, WPARAM wParam, LPARAM lParam,
                                        LRESULT& result) {
  if (message != WM_COMMAND || reinterpret_cast<HWND>(lParam) != Handle()) return false;
  const UINT code = HIWORD(wParam);
  if (code != CBN_EDITCHANGE && code != CBN_SELENDOK) return false;
  OnEditChange(*this);
  result = 0;
  return true;
}

}  // namespace tolvane
