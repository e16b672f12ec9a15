// CWnd: one object per window. It either creates a child window of its own or attaches to an
// existing dialog item by subclassing the item's window procedure; either way every message for
// the window reaches the object's OnMessage.
#pragma once

#include <windows.h>

#include "framework/window_object.h"

namespace tolvane {

class WindowWatch;

class CWnd : public WindowObject {
 public:
  CWnd() = default;
  CWnd(const CWnd&) = delete;
  CWnd& operator=(const CWnd&) = delete;
  // Destroys a window the object created; lets go of a window it attached to.
  virtual ~CWnd();

  // Creates this object's window as a child of `parent` with the framework's window class; false
  // while the object still has one.
  bool CreateChild(HWND parent, const char* title, DWORD style, const RECT& rect, int controlId);
  // Override point: takes over dialog item `controlId` of `dialog` by subclassing it; the
  // item's notifications to the dialog are reflected to this object. For an object without a
  // window.
  virtual bool AttachToDialogItem(HWND dialog, int controlId);
  // Gives the window back its own procedure and forgets it; returns the window.
  HWND Detach();
  // Destroys the window (the object stays, without a window).
  bool Destroy();

  HWND Handle() const { return hwnd_; }
  LRESULT Send(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;
  bool Post(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;
  HWND Parent() const;
  int ControlId() const;

  // The object attached to or owning `hwnd`, or null.
  static CWnd* FromHandle(HWND hwnd);
  // Before the code that owns the framework's window class is unloaded.
  static void UnregisterWindowClass();

  // Override point: a WM_COMMAND or WM_NOTIFY this control sent to its dialog, offered here
  // first; answer true (and set result) to keep it from the dialog.
  bool OnReflectedNotification(UINT message, WPARAM wParam, LPARAM lParam,
                               LRESULT& result) override;
  // Override point: a message the thread's loop retrieved for this window or its edit field,
  // before it is translated and dispatched; answer true to consume it. Offered only to objects
  // that asked for it (see WantPreTranslation).
  bool PreTranslateMessage(MSG& message) override;

 protected:
  // Override point: every message for the window; the default is the window's own processing.
  virtual LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam);
  // The window's own processing: its original procedure, or DefWindowProc for created windows.
  LRESULT Default(UINT message, WPARAM wParam, LPARAM lParam);
  // The message to the window's own procedure, past OnMessage, for an object that handles it no
  // differently: our subclass would only pass it on. Sent as usual when someone has subclassed
  // the window over us, so that their procedure sees it too.
  LRESULT SendToOwnProcedure(UINT message, WPARAM wParam, LPARAM lParam);
  // Asks the thread's pre-translation hook to offer this window's messages to the object, once
  // after an attach; false when memory ran out.
  bool WantPreTranslation();

 private:
  // Lets no exception out: the system calls it.
  static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam,
                                     LPARAM lParam) noexcept;
  bool Bind(HWND hwnd);
  void Unbind();

  friend class WindowWatch;

  HWND hwnd_ = nullptr;
  bool created_ = false;
  // An attached item's procedure from before our subclass; the window table keeps it too, for
  // after the object has let go.
  WNDPROC ownProcedure_ = nullptr;
  HWND reflectingDialog_ = nullptr;  // the dialog subclassed for this control's notifications
  bool preTranslating_ = false;
  WindowWatch* watches_ = nullptr;  // told when the object is deleted
};

// A pointer to a window object that turns null when the object is deleted. Code that sends a
// message the host handles holds one across the send and asks it afterwards: the host may close
// its dialog there, and the close deletes the module's objects with their windows. Only ever a
// local: the watches of an object go in the reverse order they came.
class WindowWatch {
 public:
  explicit WindowWatch(CWnd* object);
  ~WindowWatch();
  WindowWatch(const WindowWatch&) = delete;
  WindowWatch& operator=(const WindowWatch&) = delete;

  CWnd* Get() const { return object_; }

 private:
  friend class CWnd;
  CWnd* object_;
  WindowWatch* next_ = nullptr;
};

}  // namespace tolvane
