// What the framework's system callbacks ask of a window's object beyond its window procedure: the
// dialog's subclass offers it its own notifications, the thread's hook the messages retrieved for
// its window. CWnd implements it; the callbacks' units see only this, so they need not include
// window.h, which includes them.
#pragma once

#include <windows.h>

namespace tolvane {

class WindowObject {
 public:
  // Answer true (and set result) to keep the notification from the dialog.
  virtual bool OnReflectedNotification(UINT message, WPARAM wParam, LPARAM lParam,
                                       LRESULT& result) = 0;
  // Answer true to consume the message.
  virtual bool PreTranslateMessage(MSG& message) = 0;

 protected:
  // Objects are deleted as what they are (CWnd has a virtual destructor), never through this.
  ~WindowObject() = default;
};

}  // namespace tolvane
