// Table entries 1 and 2: the Find File dialog opens and closes.
#include <utility>

#include "finddlg/column_tables.h"
#include "finddlg/dialog_controls.h"
#include "finddlg/find_dialogs_state.h"
#include "finddlg/win32/delete_control.h"
#include "finddlg/win32/find_dialog_entries.h"
#include "finddlg/win32/find_file_edit.h"
#include "finddlg/win32/find_file_list_ctrl.h"
#include "finddlg/win32/find_list_columns.h"
#include "module/history_state.h"
#include "module/win32/history_on_combo.h"
#include "module/win32/module_frame_state.h"

namespace tolvane {
namespace {

// Widths to the profile, drop-down items to the history, then the objects go. Nothing happens
// when no dialog is open, so a stray close neither writes widths nor empties the history.
void EndFindFileDialog(ControlWindow window) {
  FindFileDialogState& state = FindDialogs().findFile;
  if (state.list == nullptr && state.combo == nullptr) return;
  Profile& profile = ModuleFrame().profile;

  if (state.list != nullptr) {
    SaveFindListColumns(*state.list, profile, state.dialogId, FindFileColumnRules());
  }
  CopyComboBackToHistory(state.combo, Histories().filename);

  DeleteControl(std::exchange(state.combo, nullptr), window);
  DeleteControl(std::exchange(state.list, nullptr), window);
}

}  // namespace

bool TOLVANE_CDECL InitFindFileDialog(HWND dialog, uint32_t dialogId, CFindFileEdit** combo,
                                      CFindFileListCtrl** list, HostFileSource** fileSource,
                                      HostFileKeyArray* keys) {
  FindFileDialogState& state = FindDialogs().findFile;
  // Opened again without a close: the earlier objects save what they hold and let go of their
  // windows rather than stay attached and leak.
  EndFindFileDialog(ControlWindow::kKeep);
  Profile& profile = ModuleFrame().profile;

  state.dialogId = dialogId;
  state.list = new CFindFileListCtrl;
  state.list->AttachToDialogItem(dialog, kFindFileListId);
  state.list->SetRowSource(keys, fileSource);
  SetUpFindListColumns(*state.list, profile, dialogId, FindFileColumnRules());

  state.combo = new CFindFileEdit;
  state.combo->AttachToDialogItem(dialog, kFindFileComboId);
  state.combo->SetList(state.list);
  FillComboFromHistory(Histories().filename, *state.combo);

  if (combo != nullptr) *combo = state.combo;
  if (list != nullptr) *list = state.list;
  return true;
}

bool TOLVANE_CDECL CloseFindFileDialog() {
  EndFindFileDialog(ControlWindow::kDestroy);
  return true;
}

}  // namespace tolvane
