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
// A reflected notification handed on to the dialog as if it had not been reflected, and the
// dialog's answer: for a control object that adds to what the dialog does rather than replace it.
LRESULT PassToDialog(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

}  // namespace tolvane
