// Table entries 5 and 8: the Find Tag dialog opens and closes.
#include <utility>

#include "finddlg/column_tables.h"
#include "finddlg/dialog_controls.h"
#include "finddlg/find_dialogs_state.h"
#include "finddlg/win32/delete_control.h"
#include "finddlg/win32/find_dialog_entries.h"
#include "finddlg/win32/find_list_columns.h"
#include "finddlg/win32/find_tag_edit.h"
#include "finddlg/win32/find_tag_list_ctrl.h"
#include "module/history_state.h"
#include "module/win32/history_on_combo.h"
#include "module/win32/module_frame_state.h"

namespace tolvane {
namespace {

void AttachTagCombo(HWND dialog, int controlId, CFindTagEdit*& slot, CFindTagListCtrl* list,
                    const HistoryList& history) {
  slot = new CFindTagEdit;
  slot->AttachToDialogItem(dialog, controlId);
  slot->SetList(list);
  FillComboFromHistory(history, *slot);
}

// Widths to the profile, each combo's items to its history, then the objects go. Nothing happens
// when no dialog is open, so a stray close neither writes widths nor empties the histories.
void EndFindTagDialog(ControlWindow window) {
  FindTagDialogState& state = FindDialogs().findTag;
  if (state.list == nullptr && state.parentCombo == nullptr && state.tagCombo == nullptr) return;
  Profile& profile = ModuleFrame().profile;

  if (state.list != nullptr) {
    SaveFindListColumns(*state.list, profile, state.dialogId, FindTagColumnRules());
  }
  CopyComboBackToHistory(state.parentCombo, Histories().tagParent);
  CopyComboBackToHistory(state.tagCombo, Histories().tag);

  DeleteControl(std::exchange(state.parentCombo, nullptr), window);
  DeleteControl(std::exchange(state.tagCombo, nullptr), window);
  DeleteControl(std::exchange(state.list, nullptr), window);
}

}  // namespace

bool TOLVANE_CDECL InitFindTagDialog(HWND dialog, uint32_t dialogId, CFindTagEdit** parentCombo,
                                     CFindTagEdit** tagCombo, CFindTagListCtrl** list,
                                     HostTagArray* tags) {
  FindTagDialogState& state = FindDialogs().findTag;
  // Opened again without a close: the earlier objects save what they hold and let go of their
  // windows rather than stay attached and leak.
  EndFindTagDialog(ControlWindow::kKeep);
  Profile& profile = ModuleFrame().profile;

  state.dialogId = dialogId;
  state.list = new CFindTagListCtrl;
  state.list->AttachToDialogItem(dialog, kFindTagListId);
  state.list->SetTagArray(tags);
  SetUpFindListColumns(*state.list, profile, dialogId, FindTagColumnRules());

  AttachTagCombo(dialog, kFindTagParentComboId, state.parentCombo, state.list,
                 Histories().tagParent);
  AttachTagCombo(dialog, kFindTagComboId, state.tagCombo, state.list, Histories().tag);

  if (list != nullptr) *list = state.list;
  if (parentCombo != nullptr) *parentCombo = state.parentCombo;
  if (tagCombo != nullptr) *tagCombo = state.tagCombo;
  return true;
}

bool TOLVANE_CDECL CloseFindTagDialog() {
  EndFindTagDialog(ControlWindow::kDestroy);
  return true;
}

}  // namespace tolvane
