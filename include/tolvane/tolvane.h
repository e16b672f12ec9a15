// TolvaneReg's entry points for a host add-in: the two exports and the operation table through
// which every service is reached. Windows only: a 32-bit DLL for 32-bit hosts and a 64-bit DLL
// for 64-bit hosts, both from these headers.
#pragma once

#include <stdint.h>
#include <windows.h>

#include "tolvane/automation.h"
#include "tolvane/file_entry_list.h"
#include "tolvane/host_objects.h"

// The C calling convention of the entries and exports. x86_64 has one convention for all calls.
#ifdef _WIN64
#define TOLVANE_CDECL
#else
#define TOLVANE_CDECL __cdecl
#endif

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

// Highlighted matches in the Find lists, for a host that asks. A host that sets the window property
// kHighlightMatchesProperty (any value but null) on its Find dialog before calling the dialog's
// init entry (1 or 5) has the list draw the characters of a cell that match the text typed in a
// combo box in bold, and in the system's highlight colour on rows not drawn in it: in Find File
// the "Filename" column against combo box 1021, in Find Tag the "Parent" column against 1051 and
// the "Tag" column against 1052. The characters are the ones FuzzyMatch (fuzzy_match.h) picks;
// a cell the text does not match, and every other column, is drawn as usual. Cell texts stay as
// they are, and the dialog still sees the list's NM_CUSTOMDRAW stages it asks for, its answers
// kept. A line number at the end of Find File's text ("widget.cpp:120", see FuzzyLineSuffix) is
// no part of what matches. The init entry reads the property once; without it the lists behave
// as they always did. Code pages the matcher does not read (multi-byte ones other than UTF-8,
// 932, 936, 949 and 950) show no highlight.
inline constexpr char kHighlightMatchesProperty[] = "TolvaneReg.HighlightMatches";

// Every entry and export reports failure by its result (false or null; entries without one leave
// everything as it was) and lets no exception out.
//
// Threads: the module serves one thread, the one that loads it, which must also be the one that
// calls TolvaneRegCreate (the host's user-interface thread, which owns the Find dialogs). Every
// entry and export called on any other thread fails at once by its result (false or null; the
// entries without a result and TolvaneRegDestroy have no effect) and changes nothing: a
// SetFileList there is no set at all, and the next SaveFileList on the module's thread saves the
// module's own list.

// Fifteen pointer-sized slots; 0 and 4 are reserved and never written by the module.
struct OpsTable {
  void* slots[15];
};
#ifdef _WIN64
static_assert(sizeof(OpsTable) == 120, "fifteen 8-byte slots");
#else
static_assert(sizeof(OpsTable) == 60, "fifteen 4-byte slots");
#endif

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
using InitFindFileDialogFn = bool(TOLVANE_CDECL*)(HWND dialog, uint32_t dialogId,
                                                  CFindFileEdit** combo, CFindFileListCtrl** list,
                                                  HostFileSource** fileSource,
                                                  HostFileKeyArray* keys);
using CloseFindFileDialogFn = bool(TOLVANE_CDECL*)();
// The text is read during the call only.
using AddHistoryFn = void(TOLVANE_CDECL*)(const char* text);
using AddFilenameHistoryFn = AddHistoryFn;
using InitFindTagDialogFn = bool(TOLVANE_CDECL*)(HWND dialog, uint32_t dialogId,
                                                 CFindTagEdit** parentCombo,
                                                 CFindTagEdit** tagCombo, CFindTagListCtrl** list,
                                                 HostTagArray* tags);
using AddTagHistoryFn = AddHistoryFn;
using AddTagParentHistoryFn = AddHistoryFn;
using CloseFindTagDialogFn = bool(TOLVANE_CDECL*)();
// The file-list entries read the path from the workspace (a null path reads as "", which names
// no file: a load finds none and reports true with the list empty, a save reports false).
// The host passes one byte: any value but 0 asks for the project export (not only 1). A load
// whose export fails (memory ran out) reports false but keeps the entries it read.
using LoadFileListFn = bool(TOLVANE_CDECL*)(uint8_t exportProject);
using SaveFileListFn = bool(TOLVANE_CDECL*)();
// Replaces the host's list with a copy of the module's. When that fails (memory ran out) the
// host's list is left exactly as it was, blocks included; a host tells a failure by its list's
// `blocks`: a copy that succeeds releases the blocks the list held, so a list that held a block
// before the call (one with an entry appended holds one) holds that same block only after a
// failure.
using GetFileListFn = void(TOLVANE_CDECL*)(FileEntryList* destination);
// Replaces the module's list with a copy of the host's (the host's is not changed). When that
// fails (memory ran out) the module's list stays as it was and is not the host's: from then on
// SaveFileList reports false and writes nothing, until a later SetFileList succeeds or a
// LoadFileList reads the file (or finds none).
using SetFileListFn = void(TOLVANE_CDECL*)(FileEntryList* source);
using GetLastTagFn = HostTagRecord*(TOLVANE_CDECL*)();
using GoToTagFn = bool(TOLVANE_CDECL*)(HostTagRecord* tag);

// Reads slot `index` of the table as the function type of that entry.
template <typename Fn>
Fn TableEntry(const OpsTable* table, OpsIndex index) {
  return reinterpret_cast<Fn>(table->slots[index]);
}

}  // namespace tolvane

extern "C" {
// Takes the automation root (one reference held until destruction) and the host's workspace;
// returns the filled table, or null (after an exclamation beep) when the IDE has no main window.
// Null, with nothing changed, on a thread other than the one that loaded the module.
TOLVANE_API tolvane::OpsTable* TOLVANE_CDECL TolvaneRegCreate(IDispatch* automationRoot,
                                                              tolvane::HostWorkspace* workspace);
// Saves the history lists and frees the table. The automation root serves every live creation:
// with two creations live, it is released at the destruction of the last of them. A table this
// module did not hand out, or one already destroyed, frees nothing.
TOLVANE_API void TOLVANE_CDECL TolvaneRegDestroy(tolvane::OpsTable* table);
}
