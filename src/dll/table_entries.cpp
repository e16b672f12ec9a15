#include "dll/table_entries.h"

#include "dll/module.h"
#include "navigate/go_to_tag.h"

namespace tolvane {
namespace {

// The function must have exactly the entry's type: a wrong signature does not compile.
template <typename Fn>
void SetEntry(OpsTable& table, OpsIndex index, Fn function) {
  table.slots[index] = reinterpret_cast<void*>(function);
}

// Each init and close entry answers true.
bool TOLVANE_CDECL InitFindFileDialog(HWND dialog, uint32_t dialogId, CFindFileEdit** combo,
                                      CFindFileListCtrl** list, HostFileSource** fileSource,
                                      HostFileKeyArray* keys) {
  TheModule().findDialogs.OpenFindFile(dialog, dialogId, combo, list, fileSource, keys);
  return true;
}
bool TOLVANE_CDECL CloseFindFileDialog() {
  TheModule().findDialogs.CloseFindFile();
  return true;
}
void TOLVANE_CDECL AddFilenameHistory(const std::string& text) {
  TheModule().findDialogs.AddFilenameHistory(text);
}
bool TOLVANE_CDECL InitFindTagDialog(HWND dialog, uint32_t dialogId, CFindTagEdit** parentCombo,
                                     CFindTagEdit** tagCombo, CFindTagListCtrl** list,
                                     HostTagArray* tags) {
  TheModule().findDialogs.OpenFindTag(dialog, dialogId, parentCombo, tagCombo, list, tags);
  return true;
}
void TOLVANE_CDECL AddTagHistory(const std::string& text) {
  TheModule().findDialogs.AddTagHistory(text);
}
void TOLVANE_CDECL AddTagParentHistory(const std::string& text) {
  TheModule().findDialogs.AddTagParentHistory(text);
}
bool TOLVANE_CDECL CloseFindTagDialog() {
  TheModule().findDialogs.CloseFindTag();
  return true;
}
// A byte, not a C++ bool: hosts pass any non-zero value to ask for the export.
bool TOLVANE_CDECL LoadFileListEntry(uint8_t exportProject) {
  return LoadFileList(TheModule().fileList, exportProject != 0);
}
bool TOLVANE_CDECL SaveFileListEntry() {
  return SaveFileList(TheModule().fileList);
}
void TOLVANE_CDECL GetFileListEntry(FileEntryList* destination) {
  GetFileList(TheModule().fileList, destination);
}
void TOLVANE_CDECL SetFileListEntry(FileEntryList* source) {
  SetFileList(TheModule().fileList, source);
}
HostTagRecord* TOLVANE_CDECL GetLastTagEntry() {
  return GetLastTag(TheModule().navigation);
}
bool TOLVANE_CDECL GoToTagEntry(HostTagRecord* tag) {
  return GoToTag(TheModule().navigation, tag);
}

}  // namespace

void FillOpsTable(OpsTable& table) {
  SetEntry<InitFindFileDialogFn>(table, kInitFindFileDialog, &InitFindFileDialog);
  SetEntry<CloseFindFileDialogFn>(table, kCloseFindFileDialog, &CloseFindFileDialog);
  SetEntry<AddFilenameHistoryFn>(table, kAddFilenameHistory, &AddFilenameHistory);
  SetEntry<InitFindTagDialogFn>(table, kInitFindTagDialog, &InitFindTagDialog);
  SetEntry<AddTagHistoryFn>(table, kAddTagHistory, &AddTagHistory);
  SetEntry<AddTagParentHistoryFn>(table, kAddTagParentHistory, &AddTagParentHistory);
  SetEntry<CloseFindTagDialogFn>(table, kCloseFindTagDialog, &CloseFindTagDialog);
  SetEntry<LoadFileListFn>(table, kLoadFileList, &LoadFileListEntry);
  SetEntry<SaveFileListFn>(table, kSaveFileList, &SaveFileListEntry);
  SetEntry<GetFileListFn>(table, kGetFileList, &GetFileListEntry);
  SetEntry<SetFileListFn>(table, kSetFileList, &SetFileListEntry);
  SetEntry<GetLastTagFn>(table, kGetLastTag, &GetLastTagEntry);
  SetEntry<GoToTagFn>(table, kGoToTag, &GoToTagEntry);
}

}  // namespace tolvane
