#include "module/win32/ops_table_fill.h"

#include "filelist/file_list_entries.h"
#include "finddlg/win32/find_dialog_entries.h"
#include "module/win32/history_entries.h"
#include "navigate/navigation_entries.h"

namespace tolvane {
namespace {

// The function must have exactly the entry's type: a wrong signature does not compile.
template <typename Fn>
void SetEntry(OpsTable& table, OpsIndex index, Fn function) {
  table.slots[index] = reinterpret_cast<void*>(function);
}

bool TOLVANE_CDECL LoadFileListEntry(bool exportProject) {
  return LoadFileList(exportProject);
}
bool TOLVANE_CDECL SaveFileListEntry() {
  return SaveFileList();
}
void TOLVANE_CDECL GetFileListEntry(FileEntryList* destination) {
  GetFileList(destination);
}
void TOLVANE_CDECL SetFileListEntry(FileEntryList* source) {
  SetFileList(source);
}
HostTagRecord* TOLVANE_CDECL GetLastTagTableEntry() {
  return GetLastTagEntry();
}
bool TOLVANE_CDECL GoToTagTableEntry(HostTagRecord* tag) {
  return GoToTagEntry(tag);
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
  SetEntry<GetLastTagFn>(table, kGetLastTag, &GetLastTagTableEntry);
  SetEntry<GoToTagFn>(table, kGoToTag, &GoToTagTableEntry);
}

}  // namespace tolvane
