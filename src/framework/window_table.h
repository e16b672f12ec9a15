// What the framework keeps about each of its windows (the window's object, the procedures our
// subclasses replaced, a reflecting dialog's count of attached controls), found by window handle.
// Kept in the process rather than in window properties: under Wine every property lookup is a
// round trip to the server (about 16 us), and every display request needed several.
#pragma once

#include <windows.h>

#include <unordered_map>

#include "framework/code_pin.h"
#include "framework/window_object.h"

namespace tolvane {

struct WindowRecord {
  WindowObject* object = nullptr;     // the object attached to or owning the window
  WNDPROC ownProcedure = nullptr;     // an attached item's procedure from before our subclass
  WNDPROC dialogProcedure = nullptr;  // a reflecting dialog's procedure from before our subclass
  int reflectedControls = 0;          // attached controls of that dialog
  BurialWatch itemWatch;              // looks for a subclass over our window procedure
  BurialWatch dialogWatch;            // over our reflecting dialog's

  // A dialog has attached controls only while it is subclassed.
  bool Unused() const {
    return object == nullptr && ownProcedure == nullptr && dialogProcedure == nullptr;
  }
};

// All the module's windows live on the host's user-interface thread: the table takes no lock.
class WindowTable {
 public:
  // The table made last is the one TheWindowTable() gives until it is deleted; there is one at a
  // time (framework_state.h).
  WindowTable();
  ~WindowTable();
  WindowTable(const WindowTable&) = delete;
  WindowTable& operator=(const WindowTable&) = delete;

  WindowRecord* Find(HWND hwnd);
  // The window's record, added empty when it has none; null when memory runs out (callers are
  // window procedures and attach, which fail instead of throwing). Callers hand a window, never
  // null.
  WindowRecord* FindOrAdd(HWND hwnd);
  // Removes the window's record once nothing is left in it, so a later window given the same
  // handle value never finds what belonged to this one.
  void DropIfUnused(HWND hwnd);

 private:
  std::unordered_map<HWND, WindowRecord> records_;
};

WindowTable& TheWindowTable();

}  // namespace tolvane
