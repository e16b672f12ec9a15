// Until the DLL exists: the entries linked into the test program, over the same state.
#include <memory>

#include "find_module.h"
#include "finddlg/win32/find_dialog_entries.h"
#include "framework/combo_box_items.h"
#include "framework/registry_profile.h"
#include "module/history_combo.h"
#include "module/history_profile.h"
#include "module/history_state.h"
#include "module/win32/history_combos.h"

namespace tolvane {

HistoryComboSlots& HistoryCombos() {
  static HistoryComboSlots slots;
  return slots;
}

namespace testing {
namespace {

void AddTo(CComboBoxEx* combo, const std::string& text) {
  if (combo == nullptr) return;
  ComboBoxItems items(*combo);
  AddToHistoryCombo(&items, text);
}
void __cdecl AddFilename(const std::string& text) {
  AddTo(HistoryCombos().filename, text);
}
void __cdecl AddTagParent(const std::string& text) {
  AddTo(HistoryCombos().tagParent, text);
}
void __cdecl AddTag(const std::string& text) {
  AddTo(HistoryCombos().tag, text);
}

}  // namespace

FindModule::FindModule() : table_(new OpsTable{}) {
  RegistryProfile profile;
  LoadAllHistories(profile, Histories());
  table_->slots[kInitFindFileDialog] = reinterpret_cast<void*>(&InitFindFileDialog);
  table_->slots[kCloseFindFileDialog] = reinterpret_cast<void*>(&CloseFindFileDialog);
  table_->slots[kAddFilenameHistory] = reinterpret_cast<void*>(&AddFilename);
  table_->slots[kInitFindTagDialog] = reinterpret_cast<void*>(&InitFindTagDialog);
  table_->slots[kAddTagHistory] = reinterpret_cast<void*>(&AddTag);
  table_->slots[kAddTagParentHistory] = reinterpret_cast<void*>(&AddTagParent);
  table_->slots[kCloseFindTagDialog] = reinterpret_cast<void*>(&CloseFindTagDialog);
}

FindModule::~FindModule() {
  Destroy();
}

void FindModule::Destroy() {
  if (table_ == nullptr) return;
  RegistryProfile profile;
  SaveAllHistories(profile, Histories());
  delete table_;
  table_ = nullptr;
}

}  // namespace testing
}  // namespace tolvane
