#include "finddlg/layout_section.h"

#include <cstdio>

namespace tolvane {

std::string LayoutSection(uint32_t dialogId) {
  char digits[16];
  // unsigned long is 32 bits on Windows and 64 natively; a 32-bit value prints the same in both.
  std::snprintf(digits, sizeof digits, "%08lx", static_cast<unsigned long>(dialogId));
  return std::string("WindowPositions\\ID=0x") + digits;
}

}  // namespace tolvane
