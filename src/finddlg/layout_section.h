// The profile section that keeps one Find dialog's column widths.
#pragma once

#include <cstdint>
#include <string>

namespace tolvane {

// "WindowPositions\ID=0x" followed by the dialog identifier as exactly eight lowercase
// hexadecimal digits: 1000 gives "WindowPositions\ID=0x000003e8". The backslash is part of the
// one section name; a profile that nests by backslash files all dialogs under "WindowPositions".
std::string LayoutSection(uint32_t dialogId);

}  // namespace tolvane
