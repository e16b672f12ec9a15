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
#include "framework/combo_box_items.h"
#include "framework/registry_profile.h"
#include "module/history_combo.h"
#include "module/history_state.h"
#include "module/win32/history_combos.h"

namespace tolvane {

bool __cdecl InitFindFileDialog(HWND dialog, uint32_t dialogId, CFindFileEdit** combo,
                                CFindFileListCtrl** list, HostFileSource** fileSource,
                                HostFileKeyArray* keys) {
  FindFileDialogState& state = FindDialogs().findFile;
  // Opened again without a close: the earlier objects are closed properly rather than left
  // attached and leaked.
  if (state.list != nullptr || state.combo != nullptr) CloseFindFileDialog();
  RegistryProfile profile;

  state.dialogId = dialogId;
  state.list = new CFindFileListCtrl;
  state.list->AttachToDialogItem(dialog, kFindFileListId);
  state.list->SetRowSource(keys, fileSource);
  SetUpFindListColumns(*state.list, profile, dialogId, FindFileColumnRules());

  state.combo = new CFindFileEdit;
  state.combo->AttachToDialogItem(dialog, kFindFileComboId);
  state.combo->SetList(state.list);
  HistoryCombos().filename = state.combo;
  ComboBoxItems items(*state.combo);
  FillCombo(Histories().filename, items);

  if (combo != nullptr) *combo = state.combo;
  if (list != nullptr) *list = state.list;
  return true;
}

bool __cdecl CloseFindFileDialog() {
  FindFileDialogState& state = FindDialogs().findFile;
  // No dialog open: nothing to save, and the history must not be emptied.
  if (state.list == nullptr && state.combo == nullptr) return true;
  RegistryProfile profile;

  if (state.list != nullptr) {
    SaveFindListColumns(*state.list, profile, state.dialogId, FindFileColumnRules());
  }
  // A combo without a window has no items to give back; the history stays as it was.
  if (state.combo != nullptr && state.combo->Handle() != nullptr) {
    ComboBoxItems items(*state.combo);
    CopyBack(items, Histories().filename);
  }

  HistoryCombos().filename = nullptr;
  DeleteControl(std::exchange(state.combo, nullptr));
  DeleteControl(std::exchange(state.list, nullptr));
  return true;
}

}  // namespace tolvane
