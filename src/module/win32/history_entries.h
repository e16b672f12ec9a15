// Table entries 3, 7 and 6: put a searched-for text at the top of the open dialog's combo box
// (at most 256 items after the add). They do nothing while the dialog is not open.
#pragma once

#include <string>

#include "tolvane/tolvane.h"

namespace tolvane {

void TOLVANE_CDECL AddFilenameHistory(const std::string& text);   // entry 3, combo 1021
void TOLVANE_CDECL AddTagHistory(const std::string& text);        // entry 6, combo 1052
void TOLVANE_CDECL AddTagParentHistory(const std::string& text);  // entry 7, combo 1051

}  // namespace tolvane
