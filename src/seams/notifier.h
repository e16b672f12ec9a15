// The one message the module ever shows the user: a modal box with a single OK button.
#pragma once

#include <string>

namespace tolvane {

class Notifier {
 public:
  virtual ~Notifier() = default;
  virtual void ShowMessage(const std::string& text) = 0;
};

}  // namespace tolvane
