#include "finddlg/win32/find_edit.h"

#include "finddlg/win32/dialog_messages.h"

namespace tolvane {
namespace {

// The key routing's view of a Find combo box on real controls: the Ctrl key as it is now, the
// combo's drop-down state and dialog, and the list the combo steers. Three sends reach the host's
// code, whose handler can close the dialog and so delete the combo and the list: F5's request,
// after which the routing asks whether the drop-down shows; a row's change of selection (the
// list's notification), after which it counts the rows and scrolls; and the key forwarded to the
// list (passed on as a notification), after which it asks nothing (the hook looks for the combo).
// Those questions answer for a deleted combo and list as a closed drop-down and an empty list, and
// send nothing. Every other one the routing asks before any send (key_routing.h).
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
    List()->SendKeyDown(key, keyData);
  }
  void SendRefreshRequest() override {
    CComboBoxEx& combo = *Combo();
    ::SendMessageA(combo.Parent(), kRefreshRequestMessage, static_cast<WPARAM>(combo.ControlId()),
                   0);
  }
  int32_t FirstSelectedRow() override { return List()->GetFirstSelectedRow(); }
  int32_t RowCount() override {
    CListCtrl* list = List();
    return list != nullptr ? list->GetItemCount() : 0;
  }
  // Called only right after the list answered (its selected row, its row count): it is there.
  void SetRowSelectedFocused(int32_t row, bool on) override {
    constexpr UINT kBoth = LVIS_SELECTED | LVIS_FOCUSED;
    List()->SetItemState(row, on ? kBoth : 0, kBoth);
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

bool CFindEdit::OnReflectedNotification(UINT message, WPARAM wParam, LPARAM, LRESULT& result) {
  // Reflected notifications are routed by their sender: a command here is this combo's own.
  if (message != WM_COMMAND) return false;
  const UINT code = HIWORD(wParam);
  if (code != CBN_EDITCHANGE && code != CBN_SELENDOK) return false;
  OnEditChange(*this);
  result = 0;
  return true;
}

}  // namespace tolvane
