// What the framework keeps about each of its windows (the window's object, the procedures our
// subclasses replaced, pre-translation), found by window handle.
#pragma once

#include <windows.h>

#include <unordered_map>

namespace tolvane {

class CWnd;

struct WindowRecord {
  CWnd* object = nullptr;             // the object attached to or owning the window
  WNDPROC ownProcedure = nullptr;     // an attached item's procedure from before our subclass
  WNDPROC dialogProcedure = nullptr;  // a reflecting dialog's procedure from before our subclass
  int reflectedControls = 0;          // attached controls of that dialog
  bool preTranslating = false;        // offered to the thread's pre-translation hook

  bool Unused() const {
    return object == nullptr && ownProcedure == nullptr && dialogProcedure == nullptr &&
           reflectedControls == 0 && !preTranslating;
  }
};

class WindowTable {
 public:
  WindowRecord* Find(HWND hwnd) const;
  // The window's record, added empty when it has none; null when memory runs out.
  WindowRecord* FindOrAdd(HWND hwnd);
  // Removes the window's record once nothing is left in it, so a later window given the same
  // handle value never finds what belonged to this one.
  void DropIfUnused(HWND hwnd);

 private:
  // Made with the first record and deleted with the last, so the table has no destructor to
  // order against the module's window objects, and each load of the module starts empty.
  std::unordered_map<HWND, WindowRecord>* records_ = nullptr;
};

// The table of the installed framework state (framework_state.h); all the module's windows live
// on the host's user-interface thread.
WindowTable& Windows();

}  // namespace tolvane
