// What the Find combo boxes tell their dialog, for the Windows combo classes (CFindFileEdit,
// CFindTagEdit) that send it; the handler itself is Windows code.
//
// OnEditChange: both reflected combo notifications CBN_EDITCHANGE and CBN_SELENDOK are handled by
// the combo object (so the dialog never sees them as WM_COMMAND) and each becomes exactly one
// WM_NOTIFY, sent synchronously to the combo's parent with wParam = the combo's control
// identifier and lParam = an NMCHAR whose header holds the combo's window, that identifier and
// the code NM_CHAR. Only the header is meaningful; the other fields are zero. The reply is not
// examined.
//
// F5 in a Find Tag combo: the dialog gets kRefreshRequestMessage with wParam = the combo's
// control identifier and lParam 0 (see key_routing.h for when).
#pragma once

#include <windows.h>

namespace tolvane {

inline constexpr UINT kRefreshRequestMessage = WM_USER + 1;

}  // namespace tolvane
