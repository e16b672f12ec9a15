// What a Find combo box's key routing reads and acts on: the Ctrl key, the combo's own drop-down
// list, the list control it steers and the dialog it reports to. The Windows combo classes
// implement it over their window, their list object and their parent.
#pragma once

#include <cstdint>

namespace tolvane {

class KeyRoutingControls {
 public:
  virtual ~KeyRoutingControls() = default;

  // Whether Ctrl is held now (GetAsyncKeyState(VK_CONTROL) high bit), not as queued.
  virtual bool IsCtrlDown() = 0;
  // CB_GETDROPPEDSTATE of the combo box.
  virtual bool IsDropDownShowing() = 0;
  // Sends the list WM_KEYDOWN with exactly these wParam and lParam, synchronously.
  virtual void ForwardKeyToList(std::uintptr_t key, std::intptr_t keyData) = 0;
  // Sends the combo's parent WM_USER+1 (1025), wParam = the combo's control identifier, lParam 0.
  virtual void SendRefreshRequest() = 0;

  // The list's first selected row searching from the start (LVM_GETNEXTITEM from -1 with
  // LVNI_SELECTED), -1 when none.
  virtual int32_t FirstSelectedRow() = 0;
  // LVM_GETITEMCOUNT.
  virtual int32_t RowCount() = 0;
  // Sets (on) or clears both the selected (0x2) and focused (0x1) states of that row only,
  // under the mask 0x3.
  virtual void SetRowSelectedFocused(int32_t row, bool on) = 0;
  // LVM_ENSUREVISIBLE with partial visibility not accepted.
  virtual void EnsureRowFullyVisible(int32_t row) = 0;
};

}  // namespace tolvane
