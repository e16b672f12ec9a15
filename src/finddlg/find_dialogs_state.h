// Module-wide state of the two Find dialogs: one instance, reached through FindDialogs(). Each
// dialog's init entry fills its part and its close entry reads the identifier back (so close
// addresses the same column-width section as init) and clears the control pointers when it
// deletes the objects, which makes a stray close or history add after it harmless.
#pragma once

#include <cstdint>

namespace tolvane {

// The Windows control classes; only pointers to them are kept here.
class CFindFileListCtrl;
class CFindFileEdit;
class CFindTagListCtrl;
class CFindTagEdit;

struct FindFileDialogState {
  uint32_t dialogId = 0;
  CFindFileListCtrl* list = nullptr;  // control 1020
  CFindFileEdit* combo = nullptr;     // control 1021, history "FilenameEditList"
};

struct FindTagDialogState {
  uint32_t dialogId = 0;
  CFindTagListCtrl* list = nullptr;     // control 1050
  CFindTagEdit* parentCombo = nullptr;  // control 1051, history "TagParentEditList"
  CFindTagEdit* tagCombo = nullptr;     // control 1052, history "TagEditList"
};

struct FindDialogsState {
  FindFileDialogState findFile;
  FindTagDialogState findTag;
};

// The single module-wide instance.
FindDialogsState& FindDialogs();

}  // namespace tolvane
