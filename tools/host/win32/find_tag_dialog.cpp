#include "find_tag_dialog.h"

#include <commctrl.h>

namespace tolvane::host {

namespace {
constexpr UINT kGoToPicked = WM_APP + 3;
}

DialogTemplate FindTagDialog::BuildTemplate() const {
  DialogTemplate t(L"Find Tag", 560, 250);
  t.AddItem(DialogTemplate::kStatic, L"Parent:", 0xFFFF, SS_LEFT, 7, 9, 28, 8);
  t.AddItem(DialogTemplate::kComboBox, L"", kParentCombo,
            CBS_DROPDOWN | CBS_AUTOHSCROLL | WS_VSCROLL | WS_TABSTOP, 36, 7, 150, 120);
  t.AddItem(DialogTemplate::kStatic, L"Tag:", 0xFFFF, SS_LEFT, 196, 9, 20, 8);
  t.AddItem(DialogTemplate::kComboBox, L"", kTagCombo,
            CBS_DROPDOWN | CBS_AUTOHSCROLL | WS_VSCROLL | WS_TABSTOP, 216, 7, 337, 120);
  t.AddItem(WC_LISTVIEWW, L"", kList,
            LVS_REPORT | LVS_OWNERDATA | LVS_SINGLESEL | LVS_SHOWSELALWAYS | WS_BORDER | WS_TABSTOP,
            7, 26, 546, 198);
  t.AddItem(DialogTemplate::kStatic, L"F5 reloads the tags file.", 0xFFFF, SS_LEFT, 7, 232, 150, 8);
  t.AddItem(DialogTemplate::kButton, L"Go to", IDOK, BS_DEFPUSHBUTTON | WS_TABSTOP, 443, 230, 52,
            14);
  t.AddItem(DialogTemplate::kButton, L"Close", IDCANCEL, BS_PUSHBUTTON | WS_TABSTOP, 501, 230, 52,
            14);
  return t;
}

void FindTagDialog::AttachModule() {
  ranking_.Assign(tags_.Tags(), TextEncoding());
  CFindTagEdit* parentCombo = nullptr;
  CFindTagEdit* tagCombo = nullptr;
  CFindTagListCtrl* list = nullptr;
  module_.Entry<InitFindTagDialogFn>(kInitFindTagDialog)(Handle(), kDialogId, &parentCombo,
                                                         &tagCombo, &list, &tagArray_);
}

void FindTagDialog::DetachModule() {
  module_.Entry<CloseFindTagDialogFn>(kCloseFindTagDialog)();
}

void FindTagDialog::Refilter() {
  const auto matches = ranking_.Rank(ComboText(kParentCombo), ComboText(kTagCombo));
  rows_.clear();
  rows_.reserve(matches.size());
  for (uint32_t index : matches) rows_.push_back(tags_.Record(index));
  tagArray_.tags = rows_.data();  // the module reads this word afresh on every request
  ShowRows(rows_.size());
}

void FindTagDialog::Confirm() {
  const int row = SelectedRow();
  if (row < 0 || std::size_t(row) >= rows_.size()) {
    ::MessageBeep(MB_OK);
    outcome_ = "nothing selected";
    return;
  }
  picked_ = rows_[std::size_t(row)];
  const std::string tag = ComboText(kTagCombo);
  const std::string parent = ComboText(kParentCombo);
  if (!tag.empty()) module_.Entry<AddTagHistoryFn>(kAddTagHistory)(tag.c_str());
  if (!parent.empty()) {
    module_.Entry<AddTagParentHistoryFn>(kAddTagParentHistory)(parent.c_str());
  }
  // Go to the tag once the dialog is gone, so the editor has the focus and the view.
  ::PostMessageW(Handle(), kGoToPicked, 0, 0);
}

bool FindTagDialog::HandleRequest(UINT message, WPARAM wParam, LPARAM) {
  if (message == kReloadRequest && (wParam == kParentCombo || wParam == kTagCombo)) {
    const std::size_t count = reload_();
    ranking_.Assign(tags_.Tags(), TextEncoding());
    Refilter();
    outcome_ = "reloaded " + std::to_string(count) + " tags";
    return true;
  }
  if (message == kGoToPicked) {
    HostTagRecord* picked = picked_;
    Close();
    outcome_ = goToTag_(picked);
    return true;
  }
  return false;
}

}  // namespace tolvane::host
