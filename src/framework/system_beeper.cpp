#include "framework/system_beeper.h"

#include <windows.h>

namespace tolvane {

static_assert(MB_ICONEXCLAMATION == 0x30);

void SystemBeeper::Exclamation() {
  ::MessageBeep(MB_ICONEXCLAMATION);
}

}  // namespace tolvane
