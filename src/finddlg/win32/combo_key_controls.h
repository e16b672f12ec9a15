// The key routing's view of a Find combo box on real controls: the Ctrl key as it is now, the
// combo's drop-down state and dialog, and the list the combo steers.
#pragma once

#include "framework/combo_box_ex.h"
#include "framework/list_ctrl.h"
#include "seams/key_routing_controls.h"

namespace tolvane {

class ComboKeyControls final : public KeyRoutingControls {
 public:
  // `list` may be null (a combo not yet given its list): keys for it go nowhere.
  ComboKeyControls(CComboBoxEx& combo, CListCtrl* list) : combo_(combo), list_(list) {}

  bool IsCtrlDown() override;
  bool IsDropDownShowing() override;
  void ForwardKeyToList(std::uintptr_t key, std::intptr_t keyData) override;
  void SendRefreshRequest() override;
  int32_t FirstSelectedRow() override;
  int32_t RowCount() override;
  void SetRowSelectedFocused(int32_t row, bool on) override;
  void EnsureRowFullyVisible(int32_t row) override;

 private:
  CComboBoxEx& combo_;
  CListCtrl* list_;
};

}  // namespace tolvane
