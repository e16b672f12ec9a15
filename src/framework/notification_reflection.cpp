#include "framework/notification_reflection.h"

#include "framework/window.h"

namespace tolvane {
namespace {

constexpr char kReflectionProperty[] = "TolvaneReg.Reflection";

struct DialogReflection {
  WNDPROC original;
  int attachedControls;
};

DialogReflection* ReflectionOf(HWND dialog) {
  return static_cast<DialogReflection*>(::GetPropA(dialog, kReflectionProperty));
}

LRESULT CALLBACK ReflectingDialogProc(HWND, UINT, WPARAM, LPARAM);

bool IsSubclassedByUs(HWND dialog) {
  return ::GetWindowLongPtrA(dialog, GWLP_WNDPROC) ==
         reinterpret_cast<LONG_PTR>(&ReflectingDialogProc);
}

void Unsubclass(HWND dialog, DialogReflection* reflection) {
  ::SetWindowLongPtrA(dialog, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(reflection->original));
  ::RemovePropA(dialog, kReflectionProperty);
  delete reflection;
}

// The control that sent a notification, or null for anything else.
HWND NotifyingControl(UINT message, LPARAM lParam) {
  if (lParam == 0) return nullptr;
  if (message == WM_COMMAND) return reinterpret_cast<HWND>(lParam);
  if (message == WM_NOTIFY) return reinterpret_cast<const NMHDR*>(lParam)->hwndFrom;
  return nullptr;
}

LRESULT CALLBACK ReflectingDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  DialogReflection* reflection = ReflectionOf(dialog);
  WNDPROC original = reflection->original;
  if (CWnd* control = CWnd::FromHandle(NotifyingControl(message, lParam))) {
    LRESULT result = 0;
    if (control->OnReflectedNotification(message, wParam, lParam, result)) return result;
  }
  if (message == WM_NCDESTROY) Unsubclass(dialog, reflection);
  return ::CallWindowProcA(original, dialog, message, wParam, lParam);
}

}  // namespace

void ReflectNotificationsOf(HWND dialog) {
  if (DialogReflection* reflection = ReflectionOf(dialog)) {
    ++reflection->attachedControls;
    return;
  }
  auto* reflection = new DialogReflection{nullptr, 1};
  ::SetPropA(dialog, kReflectionProperty, reflection);
  reflection->original = reinterpret_cast<WNDPROC>(
      ::SetWindowLongPtrA(dialog, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&ReflectingDialogProc)));
}

void StopReflectingNotificationsOf(HWND dialog) {
  DialogReflection* reflection = ReflectionOf(dialog);
  if (reflection == nullptr) return;
  if (reflection->attachedControls > 0) --reflection->attachedControls;
  // Someone who subclassed the dialog after us still calls our procedure: stay until the end.
  if (reflection->attachedControls == 0 && IsSubclassedByUs(dialog)) {
    Unsubclass(dialog, reflection);
  }
}

}  // namespace tolvane
