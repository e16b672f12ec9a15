#include "finddlg/win32/find_dialogs.h"

#include <algorithm>
#include <array>
#include <new>
#include <utility>
#include <vector>

#include "finddlg/column_tables.h"
#include "finddlg/column_widths.h"
#include "finddlg/win32/dialog_controls.h"
#include "framework/combo_box_items.h"
#include "history/history_combo.h"
#include "tolvane/tolvane.h"

namespace tolvane {
namespace {

// A combo box carries this mark while it shows a history the module filled in. The mark outlives
// an unload that leaves the dialog open: loaded again and opened on the same dialog, the module
// finds the history (and what was added to it) already there, rather than show it twice and
// store it twice at the close. Named by an atom added once, as the module loads: a property named
// by a string takes a reference on its atom at every SetProp, which a window destroyed with the
// mark on never gives back. Without the atom there is no mark, and every opening fills its combo
// boxes.
const ATOM kHistoryShownAtom = ::GlobalAddAtomA("TolvaneReg.HistoryShown");

LPCSTR HistoryShownMark() {
  return reinterpret_cast<LPCSTR>(static_cast<ULONG_PTR>(kHistoryShownAtom));
}

// A combo box whose window went with its dialog is as good as closed.
bool IsOpen(const CComboBoxEx* combo) {
  return combo != nullptr && combo->Handle() != nullptr;
}

// W, the width the columns share, leaves room for the vertical scroll bar the host's rows bring.
void SetUpColumns(CListCtrl& list, Profile& profile, uint32_t dialogId,
                  std::span<const ColumnRule> rules) {
  list.SetExtendedStyle(list.GetExtendedStyle() | kFindListExtendedStyle);
  const RECT client = list.GetClientRect();
  const int32_t available = (client.right - client.left) - ::GetSystemMetrics(SM_CXVSCROLL);
  const std::vector<int32_t> widths = LoadColumnWidths(profile, dialogId, available, rules);
  for (std::size_t i = 0; i < rules.size(); ++i) {
    list.InsertColumn(rules[i].index, rules[i].heading, LVCFMT_LEFT, widths[i]);
  }
}

// A list without a window has no widths to give: nothing is written rather than zeros.
void SaveColumns(CListCtrl& list, Profile& profile, uint32_t dialogId,
                 std::span<const ColumnRule> rules) {
  if (list.Handle() == nullptr) return;
  std::vector<int32_t> widths;
  widths.reserve(rules.size());
  for (const ColumnRule& rule : rules) widths.push_back(list.GetColumnWidth(rule.index));
  SaveColumnWidths(profile, dialogId, rules, widths);
}

// A dialog item that is there yet could not be attached (its record, reflection or key hook found
// no memory): the opening fails rather than report success over a bare control. A missing item
// leaves its object without a window, as before: the dialog is the host's business.
void AttachOrThrow(CWnd& control, HWND dialog, int controlId) {
  if (!control.AttachToDialogItem(dialog, controlId) &&
      ::GetDlgItem(dialog, controlId) != nullptr) {
    throw std::bad_alloc();
  }
}

// What an opening that failed had filled in goes, and the mark with it: the combo box is as the
// opening found it, so the next one fills it again, and only once.
void TakeBackFill(CFindEdit& combo, int itemsBefore) {
  for (int count = combo.GetCount(); count > itemsBefore; --count) combo.DeleteString(count - 1);
  ::RemovePropA(combo.Handle(), HistoryShownMark());
}

template <typename Control>
void DeleteControl(std::unique_ptr<Control> control, bool destroyWindow) {
  if (control == nullptr) return;
  if (destroyWindow) {
    control->Destroy();
  } else {
    control->Detach();
  }
}

}  // namespace

FindDialogs::FindDialogs(Profile& profile, HistoryLists& histories)
    : profile_(profile), histories_(histories) {
  findFile_.columns = FindFileColumnRules();
  findTag_.columns = FindTagColumnRules();
}

void FindDialogs::OpenFindFile(HWND dialog, uint32_t dialogId, CFindFileEdit** combo,
                               CFindFileListCtrl** list, HostFileSource** fileSource,
                               HostFileKeyArray* keys) {
  auto listObject = std::make_unique<CFindFileListCtrl>(keys, fileSource);
  auto comboObject = std::make_unique<CFindFileEdit>();
  CFindFileListCtrl* listHandedOut = listObject.get();
  CFindFileEdit* comboHandedOut = comboObject.get();
  NewCombo combos[] = {{kFindFileComboId, std::move(comboObject), &histories_.filename}};
  Attach(findFile_, dialog, dialogId, kFindFileListId, std::move(listObject), combos,
         kFindFileMatchedColumns);
  // Handed out only now that nothing more can fail: a host never holds an object that went.
  if (list != nullptr) *list = listHandedOut;
  if (combo != nullptr) *combo = comboHandedOut;
}

void FindDialogs::OpenFindTag(HWND dialog, uint32_t dialogId, CFindTagEdit** parentCombo,
                              CFindTagEdit** tagCombo, CFindTagListCtrl** list,
                              HostTagArray* tags) {
  auto listObject = std::make_unique<CFindTagListCtrl>(tags);
  auto parentObject = std::make_unique<CFindTagEdit>();
  auto tagObject = std::make_unique<CFindTagEdit>();
  CFindTagListCtrl* listHandedOut = listObject.get();
  CFindTagEdit* parentHandedOut = parentObject.get();
  CFindTagEdit* tagHandedOut = tagObject.get();
  NewCombo combos[] = {{kFindTagParentComboId, std::move(parentObject), &histories_.tagParent},
                       {kFindTagComboId, std::move(tagObject), &histories_.tag}};
  Attach(findTag_, dialog, dialogId, kFindTagListId, std::move(listObject), combos,
         kFindTagMatchedColumns);
  if (list != nullptr) *list = listHandedOut;
  if (parentCombo != nullptr) *parentCombo = parentHandedOut;
  if (tagCombo != nullptr) *tagCombo = tagHandedOut;
}

void FindDialogs::Attach(OpenDialog& parts, HWND dialog, uint32_t dialogId, int listId,
                         std::unique_ptr<CFindListCtrl> list, std::span<NewCombo> combos,
                         std::span<const MatchedColumn> matchedColumns) {
  // Per slot, the items its combo box held before this opening filled it; -1: not filled here.
  std::array<int, 2> itemsBeforeFill = {-1, -1};
  try {
    AttachList(parts, dialog, dialogId, listId, std::move(list));
    for (std::size_t slot = 0; slot < combos.size(); ++slot) {
      AttachCombo(parts, slot, dialog, combos[slot].controlId, std::move(combos[slot].object),
                  *combos[slot].history, itemsBeforeFill[slot]);
    }
    HighlightIfAsked(*parts.list, dialog, matchedColumns);
  } catch (...) {
    for (std::size_t slot = 0; slot < combos.size(); ++slot) {
      if (itemsBeforeFill[slot] < 0) continue;
      TakeBackFill(*parts.combos[slot].object, itemsBeforeFill[slot]);
    }
    Discard(parts);
    throw;
  }
}

void FindDialogs::AttachList(OpenDialog& parts, HWND dialog, uint32_t dialogId, int controlId,
                             std::unique_ptr<CFindListCtrl> list) {
  // Opened again without a close: the earlier objects save what they hold and let go of their
  // windows rather than stay attached and leak.
  End(parts, ControlWindow::kKeep);
  parts.dialogId = dialogId;
  parts.list = std::move(list);
  AttachOrThrow(*parts.list, dialog, controlId);
  SetUpColumns(*parts.list, profile_, dialogId, parts.columns);
}

void FindDialogs::AttachCombo(OpenDialog& parts, std::size_t slot, HWND dialog, int controlId,
                              std::unique_ptr<CFindEdit> combo, HistoryList& history,
                              int& itemsBeforeFill) {
  Combo& part = parts.combos[slot];
  part.object = std::move(combo);
  part.history = &history;
  AttachOrThrow(*part.object, dialog, controlId);
  part.object->SetList(parts.list.get());
  HWND window = part.object->Handle();
  if (window == nullptr || ::GetPropA(window, HistoryShownMark()) != nullptr) return;
  itemsBeforeFill = part.object->GetCount();
  ComboBoxItems items(*part.object);
  FillCombo(history, items);
  ::SetPropA(window, HistoryShownMark(), reinterpret_cast<HANDLE>(1));
}

void FindDialogs::HighlightIfAsked(CFindListCtrl& list, HWND dialog,
                                   std::span<const MatchedColumn> columns) {
  if (::GetPropA(dialog, kHighlightMatchesProperty) == nullptr) return;
  std::array<HighlightedColumn, kMaxHighlightedColumns> highlighted{};
  std::size_t count = 0;
  for (const MatchedColumn& column : columns.first(std::min(columns.size(), highlighted.size()))) {
    highlighted[count++] = {column.column, ::GetDlgItem(dialog, column.comboId), column.lineSuffix};
  }
  list.HighlightMatches(std::span(highlighted).first(count));
}

void FindDialogs::End(OpenDialog& parts, ControlWindow window) {
  // The list is attached first and goes last: without it the dialog holds nothing.
  if (parts.list == nullptr) return;

  SaveColumns(*parts.list, profile_, parts.dialogId, parts.columns);
  for (const Combo& combo : parts.combos) {
    // A combo without a window gives back nothing: the history stays as it was.
    if (!IsOpen(combo.object.get())) continue;
    ComboBoxItems items(*combo.object);
    CopyBack(items, *combo.history);
  }
  // Every copy is in (running out of memory above leaves each combo box with its items and its
  // mark): only now do the items leave, and the mark goes with them, never before. A combo box
  // that kept its items without the mark would be filled again by the next opening.
  const bool destroy = window == ControlWindow::kDestroy;
  for (const Combo& combo : parts.combos) {
    if (!IsOpen(combo.object.get())) continue;
    if (!destroy) {
      // The items are in the history now, and the next opening fills them in again: left in the
      // combo box they would show twice, and be stored twice, when it is the same combo box.
      // Deleting a combo box's items from the last one on cannot fail.
      for (int count = combo.object->GetCount(); count > 0; --count) {
        combo.object->DeleteString(count - 1);
      }
    }
    ::RemovePropA(combo.object->Handle(), HistoryShownMark());  // or the window goes with them
  }
  for (Combo& combo : parts.combos) DeleteControl(std::move(combo.object), destroy);
  DeleteControl(std::move(parts.list), destroy);
}

void FindDialogs::Discard(OpenDialog& parts) {
  // A half-made opening holds nothing to save: its combo boxes may hold part of a history.
  for (Combo& combo : parts.combos) DeleteControl(std::move(combo.object), false);
  DeleteControl(std::move(parts.list), false);
}

void FindDialogs::AddHistory(History which, const std::string& text) {
  const Combo& combo = which == History::kFilename    ? findFile_.combos[0]
                       : which == History::kTagParent ? findTag_.combos[0]
                                                      : findTag_.combos[1];
  if (!IsOpen(combo.object.get())) return;
  ComboBoxItems items(*combo.object);
  AddToHistoryCombo(&items, text);
}

}  // namespace tolvane
