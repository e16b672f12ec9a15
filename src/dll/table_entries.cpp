// The operation table's entries: each forwards to the module's operation of the same name and is
// the edge where an exception (out of memory) becomes the entry's failure result, as it cannot
// pass into the host's frames, which may be another compiler's. Called on a thread other than the
// module's, an entry fails at once and changes nothing.
#include "dll/module.h"

namespace tolvane {
namespace {

template <typename Result, typename Work>
Result Guarded(Result failure, Work&& work) noexcept {
  if (!OnModuleThread()) return failure;
  try {
    return work();
  } catch (...) {
    return failure;
  }
}

template <typename Work>
void Guarded(Work&& work) noexcept {
  if (!OnModuleThread()) return;
  try {
    work();
  } catch (...) {
  }
}

bool TOLVANE_CDECL InitFindFileDialog(HWND dialog, uint32_t dialogId, CFindFileEdit** combo,
                                      CFindFileListCtrl** list, HostFileSource** fileSource,
                                      HostFileKeyArray* keys) {
  return Guarded(false, [&] {
    TheModule().InitFindFileDialog(dialog, dialogId, combo, list, fileSource, keys);
    return true;
  });
}
bool TOLVANE_CDECL CloseFindFileDialog() {
  return Guarded(false, [] {
    TheModule().CloseFindFileDialog();
    return true;
  });
}
template <History which>
void TOLVANE_CDECL AddHistory(const char* text) {
  Guarded([&] { TheModule().AddHistory(which, text); });
}
bool TOLVANE_CDECL InitFindTagDialog(HWND dialog, uint32_t dialogId, CFindTagEdit** parentCombo,
                                     CFindTagEdit** tagCombo, CFindTagListCtrl** list,
                                     HostTagArray* tags) {
  return Guarded(false, [&] {
    TheModule().InitFindTagDialog(dialog, dialogId, parentCombo, tagCombo, list, tags);
    return true;
  });
}
bool TOLVANE_CDECL CloseFindTagDialog() {
  return Guarded(false, [] {
    TheModule().CloseFindTagDialog();
    return true;
  });
}
// A byte, not a C++ bool: hosts pass any non-zero value to ask for the export.
bool TOLVANE_CDECL LoadFileList(uint8_t exportProject) {
  return Guarded(false, [&] { return TheModule().LoadFileList(exportProject != 0); });
}
bool TOLVANE_CDECL SaveFileList() {
  return Guarded(false, [] { return TheModule().SaveFileList(); });
}
void TOLVANE_CDECL GetFileList(FileEntryList* destination) {
  Guarded([&] { TheModule().GetFileList(destination); });
}
void TOLVANE_CDECL SetFileList(FileEntryList* source) {
  Guarded([&] { TheModule().SetFileList(source); });
}
HostTagRecord* TOLVANE_CDECL GetLastTag() {
  return OnModuleThread() ? TheModule().LastTag() : nullptr;
}
bool TOLVANE_CDECL GoToTag(HostTagRecord* tag) {
  return Guarded(false, [&] { return TheModule().GoToTag(tag); });
}

// The function must have exactly the entry's type: a wrong signature does not compile.
template <typename Fn>
void SetEntry(OpsTable& table, OpsIndex index, Fn function) {
  table.slots[index] = reinterpret_cast<void*>(function);
}

// Outside the module's scope, where its operations of the same names would be found first.
void FillEntries(OpsTable& table) {
  SetEntry<InitFindFileDialogFn>(table, kInitFindFileDialog, &InitFindFileDialog);
  SetEntry<CloseFindFileDialogFn>(table, kCloseFindFileDialog, &CloseFindFileDialog);
  SetEntry<AddFilenameHistoryFn>(table, kAddFilenameHistory, &AddHistory<History::kFilename>);
  SetEntry<InitFindTagDialogFn>(table, kInitFindTagDialog, &InitFindTagDialog);
  SetEntry<AddTagHistoryFn>(table, kAddTagHistory, &AddHistory<History::kTag>);
  SetEntry<AddTagParentHistoryFn>(table, kAddTagParentHistory, &AddHistory<History::kTagParent>);
  SetEntry<CloseFindTagDialogFn>(table, kCloseFindTagDialog, &CloseFindTagDialog);
  SetEntry<LoadFileListFn>(table, kLoadFileList, &LoadFileList);
  SetEntry<SaveFileListFn>(table, kSaveFileList, &SaveFileList);
  SetEntry<GetFileListFn>(table, kGetFileList, &GetFileList);
  SetEntry<SetFileListFn>(table, kSetFileList, &SetFileList);
  SetEntry<GetLastTagFn>(table, kGetLastTag, &GetLastTag);
  SetEntry<GoToTagFn>(table, kGoToTag, &GoToTag);
}

}  // namespace

void Module::FillTable(OpsTable& table) {
  FillEntries(table);
}

}  // namespace tolvane
