// TolvaneReg's entry points for a host add-in: the two exports and the operation table through
// which every service is reached. Windows only (the module is a 32-bit Windows DLL).
#pragma once

#include <cstdint>
#include <string>

#include <windows.h>

#include "tolvane/automation.h"
#include "tolvane/file_entry_list.h"
#include "tolvane/host_objects.h"

#ifdef TOLVANE_BUILDING_MODULE
#define TOLVANE_API __declspec(dllexport)
#else
#define TOLVANE_API __declspec(dllimport)
#endif

namespace tolvane {

// The module's control objects, handed to the host while a Find dialog is open (opaque to it).
class CFindFileEdit;
class CFindFileListCtrl;
class CFindTagEdit;
class CFindTagListCtrl;

// Fifteen pointer-sized slots; 0 and 4 are reserved and never written by the module.
struct OpsTable {
  void* slots[15];
};
static_assert(sizeof(OpsTable) == 15 * sizeof(void*));

enum OpsIndex : int {
  kInitFindFileDialog = 1,
  kCloseFindFileDialog = 2,
  kAddFilenameHistory = 3,
  kInitFindTagDialog = 5,
  kAddTagHistory = 6,
  kAddTagParentHistory = 7,
  kCloseFindTagDialog = 8,
  kLoadFileList = 9,
  kSaveFileList = 10,
  kGetFileList = 11,
  kSetFileList = 12,
  kGetLastTag = 13,
  kGoToTag = 14,
};

// One function-pointer type per entry, C calling convention.
using InitFindFileDialogFn = bool(__cdecl*)(HWND dialog, uint32_t dialogId, CFindFileEdit** combo,
                                            CFindFileListCtrl** list, HostFileSource** fileSource,
                                            HostFileKeyArray* keys);
using CloseFindFileDialogFn = bool(__cdecl*)();
using AddHistoryFn = void(__cdecl*)(const std::string& text);
using AddFilenameHistoryFn = AddHistoryFn;
using InitFindTagDialogFn = bool(__cdecl*)(HWND dialog, uint32_t dialogId,
                                           CFindTagEdit** parentCombo, CFindTagEdit** tagCombo,
                                           CFindTagListCtrl** list, HostTagArray* tags);
using AddTagHistoryFn = AddHistoryFn;
using AddTagParentHistoryFn = AddHistoryFn;
using CloseFindTagDialogFn = bool(__cdecl*)();
// The host passes one byte: any value but 0 asks for the project export (not only 1).
using LoadFileListFn = bool(__cdecl*)(uint8_t exportProject);
using SaveFileListFn = bool(__cdecl*)();
using GetFileListFn = void(__cdecl*)(FileEntryList* destination);
using SetFileListFn = void(__cdecl*)(FileEntryList* source);
using GetLastTagFn = HostTagRecord*(__cdecl*)();
using GoToTagFn = bool(__cdecl*)(HostTagRecord* tag);

// Reads slot `index` of the table as the function type of that entry.
template <typename Fn>
Fn TableEntry(const OpsTable* table, OpsIndex index) {
  return reinterpret_cast<Fn>(table->slots[index]);
}

}  // namespace tolvane

extern "C" {
// Takes the automation root (one reference held until destruction) and the host's workspace;
// returns the filled table, or null (after an exclamation beep) when the IDE has no main window.
TOLVANE_API tolvane::OpsTable* __cdecl TolvaneRegCreate(IDispatch* automationRoot,
                                                       tolvane::HostWorkspace* workspace);
// Saves the history lists, frees the table and releases the automation root.
TOLVANE_API void __cdecl TolvaneRegDestroy(tolvane::OpsTable* table);
}
