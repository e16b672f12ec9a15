// Reflection: a dialog holding attached controls is subclassed once, so that WM_COMMAND and
// WM_NOTIFY notifications from those controls reach the control objects before the dialog.
#pragma once

#include <windows.h>

namespace tolvane {

// One more attached control of `dialog`; the first subclasses the dialog. False (and nothing
// changed) when memory runs out.
bool ReflectNotificationsOf(HWND dialog);
// One attached control fewer; the last one gives the dialog its own procedure back.
void StopReflectingNotificationsOf(HWND dialog);

}  // namespace tolvane
