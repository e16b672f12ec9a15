// CFindTagListCtrl: the Find Tag dialog's list (control 1050), an owner-data list whose rows are
// the host's tag records. It keeps no rows: each cell text is found or composed when the control
// asks.
#pragma once

#include <string_view>

#include "finddlg/display_text_ring.h"
#include "framework/list_ctrl.h"
#include "tolvane/host_objects.h"

namespace tolvane {

class CFindTagListCtrl : public CListCtrl {
 public:
  ~CFindTagListCtrl() override = default;

  // The host's tag array; its first word is read afresh at every display request.
  void SetTagArray(HostTagArray* tags) { tags_ = tags; }

  // Copies a composed text into the next of three slots; it stays valid for two more.
  const char* StoreDisplayText(std::string_view text) { return ring_.StoreDisplayText(text); }

  // Override point: answers the list's own LVN_GETDISPINFOA, so the dialog never sees it.
  bool OnReflectedNotification(UINT message, WPARAM wParam, LPARAM lParam,
                               LRESULT& result) override;

 private:
  void OnGetDispInfo(NMLVDISPINFOA& request, LRESULT& result);

  HostTagArray* tags_ = nullptr;
  DisplayTextRing ring_;
};

}  // namespace tolvane
