// The module's life: creation and destruction behind the two exports, and what load and unload
// do to the module-wide state.
#pragma once

#include "tolvane/tolvane.h"

namespace tolvane {

// Stores the root and the workspace, makes the helper window fill a new table and return it;
// null (after one exclamation beep) when there is no root or it gives no main window.
OpsTable* CreateModule(IDispatch* automationRoot, HostWorkspace* workspace);

// Saves the histories, frees the table, releases the automation root.
void DestroyModule(OpsTable* table);

// Process attach: connects the subsystems to the platform's services.
void LoadModule();

// Process detach, in this order: histories emptied, helper window object gone, a still-held
// automation root released, the file list cleared. During process exit (processEnding) the
// helper's window is left to the system.
void UnloadModule(bool processEnding);

}  // namespace tolvane
