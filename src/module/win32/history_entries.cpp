#include "module/win32/history_entries.h"

#include "finddlg/find_dialogs_state.h"
#include "finddlg/win32/find_file_edit.h"
#include "finddlg/win32/find_tag_edit.h"
#include "module/win32/history_on_combo.h"

namespace tolvane {

// The Find dialogs' state holds the open dialogs' combo boxes; a close clears them, so an add
// while the dialog is not open finds none and does nothing.

void TOLVANE_CDECL AddFilenameHistory(const std::string& text) {
  AddToHistoryOnCombo(FindDialogs().findFile.combo, text);
}

void TOLVANE_CDECL AddTagHistory(const std::string& text) {
  AddToHistoryOnCombo(FindDialogs().findTag.tagCombo, text);
}

void TOLVANE_CDECL AddTagParentHistory(const std::string& text) {
  AddToHistoryOnCombo(FindDialogs().findTag.parentCombo, text);
}

}  // namespace tolvane
