// Table entries 3, 7 and 6: put a searched-for text at the top of the open dialog's combo box
// (at most 256 items after the add). They do nothing while the dialog is not open.
#pragma once

#include <string>

namespace tolvane {

void __cdecl AddFilenameHistory(const std::string& text);   // entry 3, combo 1021
void __cdecl AddTagHistory(const std::string& text);        // entry 6, combo 1052
void __cdecl AddTagParentHistory(const std::string& text);  // entry 7, combo 1051

}  // namespace tolvane
