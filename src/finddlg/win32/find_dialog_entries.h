// Table entries 1, 2, 5 and 8: the Find File and Find Tag dialogs' init and close entries. The
// operation table holds their addresses. Each init entry attaches the module's control objects
// to the dialog and records them in FindDialogs(), where the history add entries 3, 6 and 7 find
// the combo boxes; each close entry clears those pointers as it deletes the objects, so an add
// entry called while no dialog is open does nothing.
#pragma once

#include <windows.h>

#include <cstdint>

#include "tolvane/host_objects.h"
#include "tolvane/tolvane.h"

namespace tolvane {

class CFindFileEdit;
class CFindFileListCtrl;
class CFindTagEdit;
class CFindTagListCtrl;

// Entry 1. Always true.
bool TOLVANE_CDECL InitFindFileDialog(HWND dialog, uint32_t dialogId, CFindFileEdit** combo,
                                      CFindFileListCtrl** list, HostFileSource** fileSource,
                                      HostFileKeyArray* keys);
// Entry 2. Always true.
bool TOLVANE_CDECL CloseFindFileDialog();
// Entry 5. Always true.
bool TOLVANE_CDECL InitFindTagDialog(HWND dialog, uint32_t dialogId, CFindTagEdit** parentCombo,
                                     CFindTagEdit** tagCombo, CFindTagListCtrl** list,
                                     HostTagArray* tags);
// Entry 8. Always true.
bool TOLVANE_CDECL CloseFindTagDialog();

}  // namespace tolvane
