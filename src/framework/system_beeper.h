// The exclamation beep through the system: MessageBeep(MB_ICONEXCLAMATION), 0x30.
#pragma once

#include "seams/beeper.h"

namespace tolvane {

class SystemBeeper : public Beeper {
 public:
  void Exclamation() override;
};

}  // namespace tolvane
