// The exclamation beep the module sounds when it cannot set itself up.
#pragma once

namespace tolvane {

class Beeper {
 public:
  virtual ~Beeper() = default;
  virtual void Exclamation() = 0;
};

}  // namespace tolvane
