#include "finddlg/win32/combo_key_controls.h"

#include "finddlg/dialog_messages.h"

namespace tolvane {

bool ComboKeyControls::IsCtrlDown() {
  // The key's state now, not as it was when the message was queued.
  return (::GetAsyncKeyState(VK_CONTROL) & 0x8000) != 0;
}

bool ComboKeyControls::IsDropDownShowing() {
  return combo_.GetDroppedState();
}

void ComboKeyControls::ForwardKeyToList(std::uintptr_t key, std::intptr_t keyData) {
  if (list_ != nullptr) list_->SendKeyDown(key, keyData);
}

void ComboKeyControls::SendRefreshRequest() {
  ::SendMessageA(combo_.Parent(), kRefreshRequestMessage, static_cast<WPARAM>(combo_.ControlId()),
                 0);
}

int32_t ComboKeyControls::FirstSelectedRow() {
  return list_ != nullptr ? list_->GetFirstSelectedRow() : -1;
}

int32_t ComboKeyControls::RowCount() {
  return list_ != nullptr ? list_->GetItemCount() : 0;
}

void ComboKeyControls::SetRowSelectedFocused(int32_t row, bool on) {
  constexpr UINT kBoth = LVIS_SELECTED | LVIS_FOCUSED;
  if (list_ != nullptr) list_->SetItemState(row, on ? kBoth : 0, kBoth);
}

void ComboKeyControls::EnsureRowFullyVisible(int32_t row) {
  if (list_ != nullptr) list_->EnsureVisible(row, false);
}

}  // namespace tolvane
