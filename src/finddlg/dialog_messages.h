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

#include <cstdint>

namespace tolvane {

inline constexpr uint32_t kComboEditChange = 5;                // CBN_EDITCHANGE
inline constexpr uint32_t kComboSelEndOk = 9;                  // CBN_SELENDOK
inline constexpr uint32_t kNotifyMessage = 78;                 // WM_NOTIFY
inline constexpr int32_t kNotifyCharCode = -18;                // NM_CHAR
inline constexpr uint32_t kRefreshRequestMessage = 0x400 + 1;  // WM_USER+1

}  // namespace tolvane
