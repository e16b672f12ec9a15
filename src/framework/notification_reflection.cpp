#include "framework/notification_reflection.h"

#include "framework/code_pin.h"
#include "framework/window_table.h"

namespace tolvane {
namespace {

LRESULT CALLBACK ReflectingDialogProc(HWND, UINT, WPARAM, LPARAM) noexcept;

bool IsSubclassedByUs(HWND dialog) {
  return ::GetWindowLongPtrA(dialog, GWLP_WNDPROC) ==
         reinterpret_cast<LONG_PTR>(&ReflectingDialogProc);
}

void Unsubclass(HWND dialog, WindowRecord& record) {
  ::SetWindowLongPtrA(dialog, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(record.dialogProcedure));
  record.dialogProcedure = nullptr;
  record.reflectedControls = 0;
  TheWindowTable().DropIfUnused(dialog);
}

// The control that sent a notification, or null for anything else.
HWND NotifyingControl(UINT message, LPARAM lParam) {
  if (lParam == 0) return nullptr;
  if (message == WM_COMMAND) return reinterpret_cast<HWND>(lParam);
  if (message == WM_NOTIFY) return reinterpret_cast<const NMHDR*>(lParam)->hwndFrom;
  return nullptr;
}

// The procedure our subclass went over (a dialog's record lives exactly while it is subclassed).
// Someone who subclassed the dialog over ours and kept our address may put it back after we let
// go and forgot the dialog; the dialog's class procedure then stands in for what it had.
WNDPROC ProcedureBeneath(HWND dialog, const WindowRecord* record) {
  if (record != nullptr) return record->dialogProcedure;
  return reinterpret_cast<WNDPROC>(::GetClassLongPtrA(dialog, GCLP_WNDPROC));
}

// No exception leaves it: the system calls it, and its frames cannot be unwound. What the
// dialog's own procedure throws never gets here: CallWindowProcA stands between.
LRESULT CALLBACK ReflectingDialogProc(HWND dialog, UINT message, WPARAM wParam,
                                      LPARAM lParam) noexcept {
  WindowTable& table = TheWindowTable();
  const WindowRecord* control = table.Find(NotifyingControl(message, lParam));
  // Taken before the control's object has its say: it may run the host's code, which can end
  // the subclass, and the message still goes where it would have gone.
  WindowRecord* record = table.Find(dialog);
  WNDPROC original = ProcedureBeneath(dialog, record);
  if (control != nullptr && control->object != nullptr) {
    // Display requests come by the hundred with every repaint: one look a tick (code_pin.h).
    if (record != nullptr) record->dialogWatch.Look(dialog, &ReflectingDialogProc);
    LRESULT result = 0;
    try {
      if (control->object->OnReflectedNotification(message, wParam, lParam, result)) return result;
    } catch (...) {
      // The control's object failed to answer (the host's records, out of memory): the
      // notification was its own, so the dialog does not get it either.
      return 0;
    }
  } else {
    KeepCodeLoadedIfBuried(dialog, &ReflectingDialogProc);
    // Only where no object had its say: after the host's code the record may be gone.
    if (message == WM_NCDESTROY && record != nullptr) Unsubclass(dialog, *record);
  }
  return ::CallWindowProcA(original, dialog, message, wParam, lParam);
}

}  // namespace

bool ReflectNotificationsOf(HWND dialog) {
  WindowRecord* record = TheWindowTable().FindOrAdd(dialog);
  if (record == nullptr) return false;
  if (record->dialogProcedure != nullptr) {
    ++record->reflectedControls;
    return true;
  }
  record->reflectedControls = 1;
  const auto replaced = reinterpret_cast<WNDPROC>(
      ::SetWindowLongPtrA(dialog, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&ReflectingDialogProc)));
  // Ours, put back by someone after we let go: passing messages on to it would call ourselves
  // without end. What lies beneath is what stood in for the dialog's own procedure then.
  record->dialogProcedure =
      replaced != &ReflectingDialogProc ? replaced : ProcedureBeneath(dialog, nullptr);
  return true;
}

LRESULT PassToDialog(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  return ::CallWindowProcA(ProcedureBeneath(dialog, TheWindowTable().Find(dialog)), dialog, message,
                           wParam, lParam);
}

void StopReflectingNotificationsOf(HWND dialog) {
  WindowRecord* record = TheWindowTable().Find(dialog);
  if (record == nullptr) return;  // the dialog went before a control the host moved out of it
  --record->reflectedControls;
  // Someone who subclassed the dialog after us still calls our procedure: stay until the end.
  if (record->reflectedControls == 0) {
    if (IsSubclassedByUs(dialog)) {
      Unsubclass(dialog, *record);
    } else {
      KeepCodeLoaded();
    }
  }
}

}  // namespace tolvane
