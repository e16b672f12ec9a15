// The module's one message to the user: a modal message box with a single OK button, owned by
// the thread's active window.
#pragma once

#include <windows.h>

#include "seams/notifier.h"

namespace tolvane {

class MessageBoxNotifier : public Notifier {
 public:
  static constexpr char kCaption[] = "TolvaneReg";
  void ShowMessage(const std::string& text) override {
    ::MessageBoxA(::GetActiveWindow(), text.c_str(), kCaption, MB_OK);
  }
};

}  // namespace tolvane
