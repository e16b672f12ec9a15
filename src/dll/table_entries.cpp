#include "dll/table_entries.h"

#include <string>

#include "dll/module.h"
#include "navigate/go_to_tag.h"

namespace tolvane {
namespace {

// The function must have exactly the entry's type: a wrong signature does not compile.
template <typename Fn>
void SetEntry(OpsTable& table, OpsIndex index, Fn function) {
  table.slots[index] = reinterpret_cast<void*>(function);
}

// Every entry runs its work here: an exception (out of memory) becomes the entry's failure
// result, as it cannot pass into the host's frames, which may be another compiler's.
template <typename Result, typename Work>
Result Guarded(Result failure, Work&& work) noexcept {
  try {
    return work();
  } catch (...) {
    return failure;
  }
}

template <typename Work>
void Guarded(Work&& work) noexcept {
  try {
    work();
  } catch (...) {
  }
}

// A null text reads as empty, which adds nothing.
std::string TextOf(const char* text) {
  return text != nullptr ? std::string(text) : std::string();
}

bool TOLVANE_CDECL InitFindFileDialog(HWND dialog, uint32_t dialogId, CFindFileEdit** combo,
                                      CFindFileListCtrl** list, HostFileSource** fileSource,
                                      HostFileKeyArray* keys) {
  return Guarded(false, [&] {
    TheModule().findDialogs.OpenFindFile(dialog, dialogId, combo, list, fileSource, keys);
    return true;
  });
}
bool TOLVANE_CDECL CloseFindFileDialog() {
  return Guarded(false, [] {
    TheModule().findDialogs.CloseFindFile();
    return true;
  });
}
void TOLVANE_CDECL AddFilenameHistory(const char* text) {
  Guarded([&] { TheModule().findDialogs.AddFilenameHistory(TextOf(text)); });
}
bool TOLVANE_CDECL InitFindTagDialog(HWND dialog, uint32_t dialogId, CFindTagEdit** parentCombo,
                                     CFindTagEdit** tagCombo, CFindTagListCtrl** list,
                                     HostTagArray* tags) {
  return Guarded(false, [&] {
    TheModule().findDialogs.OpenFindTag(dialog, dialogId, parentCombo, tagCombo, list, tags);
    return true;
  });
}
void TOLVANE_CDECL AddTagHistory(const char* text) {
  Guarded([&] { TheModule().findDialogs.AddTagHistory(TextOf(text)); });
}
void TOLVANE_CDECL AddTagParentHistory(const char* text) {
  Guarded([&] { TheModule().findDialogs.AddTagParentHistory(TextOf(text)); });
}
bool TOLVANE_CDECL CloseFindTagDialog() {
  return Guarded(false, [] {
    TheModule().findDialogs.CloseFindTag();
    return true;
  });
}
// A byte, not a C++ bool: hosts pass any non-zero value to ask for the export.
bool TOLVANE_CDECL LoadFileListEntry(uint8_t exportProject) {
  return Guarded(false, [&] { return LoadFileList(TheModule().fileList, exportProject != 0); });
}
bool TOLVANE_CDECL SaveFileListEntry() {
  return Guarded(false, [] { return SaveFileList(TheModule().fileList); });
}
void TOLVANE_CDECL GetFileListEntry(FileEntryList* destination) {
  Guarded([&] { GetFileList(TheModule().fileList, destination); });
}
void TOLVANE_CDECL SetFileListEntry(FileEntryList* source) {
  Guarded([&] { SetFileList(TheModule().fileList, source); });
}
HostTagRecord* TOLVANE_CDECL GetLastTagEntry() {
  return GetLastTag(TheModule().navigation);
}
bool TOLVANE_CDECL GoToTagEntry(HostTagRecord* tag) {
  return Guarded(false, [&] { return GoToTag(TheModule().navigation, tag); });
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
