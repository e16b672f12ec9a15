// OnEditChange, shared by both Find combo classes: the combo's reflected CBN_EDITCHANGE and
// CBN_SELENDOK each become exactly one WM_NOTIFY NM_CHAR to the dialog, and the dialog never
// receives those two commands.
#pragma once

#include <windows.h>

namespace tolvane {

class CWnd;

// Sends the combo's parent WM_NOTIFY, wParam = the combo's identifier, lParam = an NMCHAR whose
// header holds the combo's window, that identifier and NM_CHAR; the reply is not examined.
void OnEditChange(CWnd& combo);

// For a combo's OnReflectedNotification: true (result 0) when the notification was one of the
// two and OnEditChange ran.
bool HandleEditChangeNotification(CWnd& combo, UINT message, WPARAM wParam, LPARAM lParam,
                                  LRESULT& result);

}  // namespace tolvane
