// CFindFileListCtrl: the Find File dialog's list (control 1020), an owner-data list whose rows
// are the host's file keys. It keeps no rows: each cell text is composed when the control asks.
#pragma once

#include <string_view>

#include "finddlg/display_text_ring.h"
#include "framework/list_ctrl.h"
#include "tolvane/host_objects.h"

namespace tolvane {

class CFindFileListCtrl : public CListCtrl {
 public:
  ~CFindFileListCtrl() override = default;

  // The host's key array and the host word holding the current file source; both are read
  // afresh at every display request, so a swap by the host shows at the next one.
  void SetRowSource(HostFileKeyArray* keys, HostFileSource** fileSource) {
    keys_ = keys;
    fileSource_ = fileSource;
  }

  // Copies a composed text into the next of three slots; it stays valid for two more.
  const char* StoreDisplayText(std::string_view text) { return ring_.StoreDisplayText(text); }

  // Override point: answers the list's own LVN_GETDISPINFOA, so the dialog never sees it.
  bool OnReflectedNotification(UINT message, WPARAM wParam, LPARAM lParam,
                               LRESULT& result) override;

 private:
  void OnGetDispInfo(NMLVDISPINFOA& request, LRESULT& result);

  HostFileKeyArray* keys_ = nullptr;
  HostFileSource** fileSource_ = nullptr;
  DisplayTextRing ring_;
};

}  // namespace tolvane
