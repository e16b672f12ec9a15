#include "framework/message_box_notifier.h"

#include <windows.h>

namespace tolvane {

void MessageBoxNotifier::ShowMessage(const std::string& text) {
  ::MessageBoxA(::GetActiveWindow(), text.c_str(), kCaption, MB_OK);
}

}  // namespace tolvane
