#include "finddlg/key_routing.h"

namespace tolvane {

namespace {

constexpr KeyRoute kToListOnly{true, false, KeyStep::kNone};
constexpr KeyRoute kToComboOnly{false, true, KeyStep::kNone};
constexpr KeyRoute kToBoth{true, true, KeyStep::kNone};

constexpr KeyRow kFindFileRows[] = {
    {kKeyPageUp, CtrlState::kEither, kToListOnly},
    {kKeyPageDown, CtrlState::kEither, kToListOnly},
    {kKeyUp, CtrlState::kEither, kToListOnly},
    {kKeyDown, CtrlState::kEither, kToListOnly},
    {kKeyHome, CtrlState::kHeld, {false, false, KeyStep::kSelectFirstRow}},
    {kKeyEnd, CtrlState::kHeld, {false, false, KeyStep::kSelectLastRow}},
    {kKeyHome, CtrlState::kNotHeld, kToComboOnly},
    {kKeyEnd, CtrlState::kNotHeld, kToComboOnly},
    {kKeyLeft, CtrlState::kEither, kToComboOnly},
    {kKeyRight, CtrlState::kEither, kToComboOnly},
};

constexpr KeyRow kFindTagRows[] = {
    {kKeyPageUp, CtrlState::kEither, kToListOnly},
    {kKeyPageDown, CtrlState::kEither, kToListOnly},
    {kKeyEnd, CtrlState::kHeld, kToListOnly},
    {kKeyHome, CtrlState::kHeld, kToListOnly},
    {kKeyEnd, CtrlState::kNotHeld, kToComboOnly},
    {kKeyHome, CtrlState::kNotHeld, kToComboOnly},
    {kKeyLeft, CtrlState::kEither, kToComboOnly},
    {kKeyRight, CtrlState::kEither, kToComboOnly},
    {kKeyUp, CtrlState::kEither, kToListOnly},
    {kKeyDown, CtrlState::kEither, kToListOnly},
    {kKeyF5, CtrlState::kEither, {false, false, KeyStep::kRefreshRequest}},
};

const KeyTable kFindFileTable{kFindFileRows, kToBoth};
const KeyTable kFindTagTable{kFindTagRows, kToBoth};

// Step 1: the table row for the key (Ctrl read at most once).
KeyRoute DecideKeyRoute(const KeyTable& table, uint32_t key, KeyRoutingControls& controls) {
  bool ctrlRead = false;
  bool ctrlDown = false;
  for (const KeyRow& row : table.rows) {
    if (row.key != key) continue;
    if (row.ctrl == CtrlState::kEither) return row.route;
    if (!ctrlRead) {
      ctrlDown = controls.IsCtrlDown();
      ctrlRead = true;
    }
    if (ctrlDown == (row.ctrl == CtrlState::kHeld)) return row.route;
  }
  return table.otherKeys;
}

// Find File's Ctrl+Home / Ctrl+End: the first selected row (if any) loses its selected and
// focused states; row 0 (first) or the last row becomes selected and focused and is scrolled
// fully into view. An empty list is left alone.
void SelectEndRow(bool last, KeyRoutingControls& controls) {
  const int32_t selected = controls.FirstSelectedRow();
  if (selected >= 0) controls.SetRowSelectedFocused(selected, false);
  const int32_t count = controls.RowCount();
  // An empty list has no row to select; -1 would mean "every row" to the list control.
  if (count <= 0) return;
  const int32_t target = last ? count - 1 : 0;
  controls.SetRowSelectedFocused(target, true);
  controls.EnsureRowFullyVisible(target);
}

bool RouteKeyDown(const KeyTable& table, std::uintptr_t key, std::intptr_t keyData,
                  KeyRoutingControls& controls) {
  // A wParam beyond 32 bits (64-bit builds only) is no key of any table row: route it as other.
  uint32_t code = static_cast<uint32_t>(key);
  if constexpr (sizeof(key) > sizeof(uint32_t)) {
    if (key > UINT32_MAX) code = UINT32_MAX;
  }
  const KeyRoute route = DecideKeyRoute(table, code, controls);
  switch (route.step) {
    case KeyStep::kSelectFirstRow:
      SelectEndRow(false, controls);
      break;
    case KeyStep::kSelectLastRow:
      SelectEndRow(true, controls);
      break;
    case KeyStep::kRefreshRequest:
      controls.SendRefreshRequest();
      break;
    default:  // KeyStep::kNone: the key only goes on
      break;
  }
  if (controls.IsDropDownShowing()) return false;
  if (route.forwardToList) controls.ForwardKeyToList(key, keyData);
  return !route.goesOnToCombo;
}

}  // namespace

const KeyTable& FindFileKeyTable() {
  return kFindFileTable;
}
const KeyTable& FindTagKeyTable() {
  return kFindTagTable;
}

bool RouteComboMessage(const KeyTable& table, uint32_t message, std::uintptr_t wParam,
                       std::intptr_t lParam, KeyRoutingControls& controls) {
  if (message != kKeyDownMessage) return false;
  return RouteKeyDown(table, wParam, lParam, controls);
}

}  // namespace tolvane
