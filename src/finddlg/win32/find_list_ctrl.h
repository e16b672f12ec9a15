// The Find dialogs' lists: owner-data lists whose rows are the host's records. They keep no rows:
// each cell text is found or composed when the control asks, by the dialog's own class from the
// host's data (file_cell_text.h, tag_cell_text.h). An ANSI list asks with LVN_GETDISPINFOA and gets
// the host's narrow text; a Unicode list (one whose dialog is a Unicode window) asks with
// LVN_GETDISPINFOW and gets the same text converted from the ANSI code page to UTF-16.
// CFindFileListCtrl is the Find File list (1020), CFindTagListCtrl the Find Tag list (1050).
#pragma once

#include "finddlg/display_request.h"
#include "finddlg/display_text_ring.h"
#include "framework/list_ctrl.h"
#include "tolvane/host_objects.h"

namespace tolvane {

class CFindListCtrl : public CListCtrl {
 public:
  // For its notifications only: the list's own messages (a cell read with LVM_GETITEMTEXT, and
  // every other) then pass no procedure of ours, whose hop into the list's procedure under Wine
  // costs about as much as the module's whole answer.
  bool AttachToDialogItem(HWND dialog, int controlId) override {
    return AttachForNotifications(dialog, controlId);
  }
  // Override point: answers the list's own LVN_GETDISPINFOA and LVN_GETDISPINFOW, so the dialog
  // never sees them. Of the record only iItem, iSubItem, mask and pszText are read, and only mask
  // and pszText written; the control's own text buffer is never touched.
  bool OnReflectedNotification(UINT message, WPARAM wParam, LPARAM lParam,
                               LRESULT& result) override;

 protected:
  // Fills in one cell's request from the host's data; composed texts go into `ring`, which keeps
  // them alive for the control after the request returns.
  virtual void Answer(DisplayRequest& request, DisplayTextRing& ring) = 0;

 private:
  void AnswerNarrow(LVITEMA& item);
  void AnswerWide(LVITEMW& item);

  DisplayTextRing ring_;
  WideDisplayTextRing wideRing_;  // the wide copies of the texts a Unicode list is handed
};

// Row i is the host's key i, looked up in the source its word holds; both are read afresh at
// every request, so a swap by the host shows at the next one.
class CFindFileListCtrl final : public CFindListCtrl {
 public:
  CFindFileListCtrl(const HostFileKeyArray* keys, HostFileSource* const* fileSource)
      : keys_(keys), fileSource_(fileSource) {}

 private:
  void Answer(DisplayRequest& request, DisplayTextRing& ring) override;

  const HostFileKeyArray* keys_;
  HostFileSource* const* fileSource_;
};

// Row i is element i of the host's tag array, read afresh at every request.
class CFindTagListCtrl final : public CFindListCtrl {
 public:
  explicit CFindTagListCtrl(const HostTagArray* tags) : tags_(tags) {}

 private:
  void Answer(DisplayRequest& request, DisplayTextRing& ring) override;

  const HostTagArray* tags_;
};

}  // namespace tolvane
