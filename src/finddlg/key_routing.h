// How a key typed into a Find combo box's edit field is shared between the combo and the list it
// steers. The Windows combo classes call RouteComboMessage from their pre-translate hook: true
// means consumed (the hook answers true and the message goes no further); false means the base
// class's hook handles the message and its answer is returned.
//
// For one WM_KEYDOWN, in this order:
//  1. The key's row of the dialog's table decides. Ctrl is read, once, only for keys whose rows
//     depend on it (Home and End), at the moment the message is examined.
//  2. The row's step runs, before and whatever the drop-down state: Find File's Ctrl+Home /
//     Ctrl+End move the list's selection; Find Tag's F5 sends the dialog WM_USER+1.
//  3. If the combo's drop-down list is showing, nothing is forwarded and the key goes on to the
//     combo (false).
//  4. Otherwise the key is forwarded to the list when the row says so, and consumed (true) when
//     the row says it does not go on to the combo.
#pragma once

#include <cstdint>
#include <span>

#include "seams/key_routing_controls.h"

namespace tolvane {

inline constexpr uint32_t kKeyDownMessage = 0x100;  // WM_KEYDOWN

// Virtual-key codes the tables name.
inline constexpr uint32_t kKeyPageUp = 33;
inline constexpr uint32_t kKeyPageDown = 34;
inline constexpr uint32_t kKeyEnd = 35;
inline constexpr uint32_t kKeyHome = 36;
inline constexpr uint32_t kKeyLeft = 37;
inline constexpr uint32_t kKeyUp = 38;
inline constexpr uint32_t kKeyRight = 39;
inline constexpr uint32_t kKeyDown = 40;
inline constexpr uint32_t kKeyF5 = 116;

enum class CtrlState { kEither, kHeld, kNotHeld };

// Runs before the drop-down question.
enum class KeyStep {
  kNone,
  kSelectFirstRow,  // Find File Ctrl+Home
  kSelectLastRow,   // Find File Ctrl+End
  kRefreshRequest,  // Find Tag F5: WM_USER+1 to the dialog
};

struct KeyRoute {
  bool forwardToList;
  bool goesOnToCombo;
  KeyStep step;
  friend bool operator==(const KeyRoute&, const KeyRoute&) = default;
};

struct KeyRow {
  uint32_t key;
  CtrlState ctrl;
  KeyRoute route;
};

struct KeyTable {
  std::span<const KeyRow> rows;
  KeyRoute otherKeys;  // letters, digits, Enter, Escape, Tab, Backspace, Delete, ...
};

// CFindFileEdit: page and arrow keys go to the list only; Ctrl+Home / Ctrl+End select the
// list's first / last row themselves and go nowhere; Home, End, Left, Right go to the edit field
// only; every other key (F5 included) goes to both.
const KeyTable& FindFileKeyTable();

// CFindTagEdit: as Find File except that Ctrl+Home / Ctrl+End are forwarded to the list (and
// go no further) instead of selecting, and F5 sends the dialog WM_USER+1 and goes nowhere else.
const KeyTable& FindTagKeyTable();

// The pre-translate hook's decision: only WM_KEYDOWN is examined (steps 1 to 4); anything else is
// not consumed. Returns whether the message is consumed.
bool RouteComboMessage(const KeyTable& table, uint32_t message, std::uintptr_t wParam,
                       std::intptr_t lParam, KeyRoutingControls& controls);

}  // namespace tolvane
