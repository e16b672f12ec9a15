#include "find_file_dialog.h"

#include <commctrl.h>

#include <string>

namespace tolvane::host {

DialogTemplate FindFileDialog::BuildTemplate() const {
  DialogTemplate t(L"Find File", 360, 222);
  t.AddItem(DialogTemplate::kStatic, L"File name:", 0xFFFF, SS_LEFT, 7, 9, 44, 8);
  t.AddItem(DialogTemplate::kComboBox, L"", kCombo,
            CBS_DROPDOWN | CBS_AUTOHSCROLL | WS_VSCROLL | WS_TABSTOP, 52, 7, 301, 120);
  t.AddItem(WC_LISTVIEWW, L"", kList,
            LVS_REPORT | LVS_OWNERDATA | LVS_SINGLESEL | LVS_SHOWSELALWAYS | WS_BORDER | WS_TABSTOP,
            7, 26, 346, 170);
  t.AddItem(DialogTemplate::kButton, L"Open", IDOK, BS_DEFPUSHBUTTON | WS_TABSTOP, 243, 202, 52,
            14);
  t.AddItem(DialogTemplate::kButton, L"Close", IDCANCEL, BS_PUSHBUTTON | WS_TABSTOP, 301, 202, 52,
            14);
  return t;
}

void FindFileDialog::AttachModule() {
  source_ = &files_;
  ranking_.Assign(files_.Files(), TextEncoding());
  CFindFileEdit* combo = nullptr;
  CFindFileListCtrl* list = nullptr;
  module_.Entry<InitFindFileDialogFn>(kInitFindFileDialog)(Handle(), kDialogId, &combo, &list,
                                                           &source_, &keyArray_);
}

void FindFileDialog::DetachModule() {
  module_.Entry<CloseFindFileDialogFn>(kCloseFindFileDialog)();
}

void FindFileDialog::Refilter() {
  keys_ = ranking_.Rank(ComboText(kCombo));
  keyArray_.keys = keys_.data();  // the module reads this word afresh on every request
  ShowRows(keys_.size());
}

void FindFileDialog::Confirm() {
  const int row = SelectedRow();
  if (row < 0 || std::size_t(row) >= keys_.size()) {
    ::MessageBeep(MB_OK);
    outcome_ = "nothing selected";
    return;
  }
  const WorkspaceFile& file = files_.Files()[keys_[std::size_t(row)]];
  const std::string typed = ComboText(kCombo);
  if (!typed.empty()) module_.Entry<AddFilenameHistoryFn>(kAddFilenameHistory)(typed.c_str());
  const bool opened = pane_.OpenFile((root_ / file.relativeName).lexically_normal().string());
  outcome_ = (opened ? "opened " : "cannot open ") + file.relativeName;
  // A line typed after the name ("widget.cpp:120"): the caret goes there, clamped to the file.
  uint32_t nameLength = 0;
  uint32_t line = 0;
  if (opened && FuzzyLineSuffix(typed.data(), uint32_t(typed.size()), &nameLength, &line)) {
    GoToLine(pane_, int32_t(line));
    outcome_ += " at line " + std::to_string(pane_.Buffer().LineOf(pane_.Selection().active));
  }
  CloseSoon();
}

}  // namespace tolvane::host
