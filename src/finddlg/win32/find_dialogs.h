// The host's two Find dialogs while they are open: the module's objects attached to their
// controls, the column widths in the profile and the history lists behind the combo boxes.
// An init entry attaches the objects (after ending an opening that had no close); a close entry
// saves what they hold and deletes them. The history add entries find the combo boxes here, so
// an add while its dialog is not open does nothing.
#pragma once

#include <windows.h>

#include <array>
#include <cstdint>
#include <memory>
#include <span>
#include <string>

#include "finddlg/column_rule.h"
#include "finddlg/win32/dialog_controls.h"
#include "finddlg/win32/find_edit.h"
#include "finddlg/win32/find_list_ctrl.h"
#include "history/history_profile.h"
#include "seams/profile.h"
#include "tolvane/host_objects.h"

namespace tolvane {

// The three history lists a host adds to, each behind one combo box.
enum class History { kFilename, kTagParent, kTag };

class FindDialogs {
 public:
  // Borrows the profile and the history lists for its whole life.
  FindDialogs(Profile& profile, HistoryLists& histories);
  FindDialogs(const FindDialogs&) = delete;
  FindDialogs& operator=(const FindDialogs&) = delete;
  // Objects still attached let go of their controls, which stay as the host made them, with the
  // history shown in the combo boxes (see AttachCombo).
  ~FindDialogs() = default;

  // An init that fails (out of memory) takes back the history it filled into the combo boxes,
  // lets go of what it attached, hands out nothing and throws.
  void OpenFindFile(HWND dialog, uint32_t dialogId, CFindFileEdit** combo, CFindFileListCtrl** list,
                    HostFileSource** fileSource, HostFileKeyArray* keys);
  void OpenFindTag(HWND dialog, uint32_t dialogId, CFindTagEdit** parentCombo,
                   CFindTagEdit** tagCombo, CFindTagListCtrl** list, HostTagArray* tags);
  // Entries 2 and 8: widths to the profile, each combo's items to its history, then the objects
  // and their windows go. Nothing happens while the dialog is not open.
  void CloseFindFile() { End(findFile_, ControlWindow::kDestroy); }
  void CloseFindTag() { End(findTag_, ControlWindow::kDestroy); }

  // Entries 3, 6 and 7: the text to the top of the open dialog's combo box (at most 256 items
  // after the add).
  void AddHistory(History which, const std::string& text);

 private:
  struct Combo {
    std::unique_ptr<CFindEdit> object;
    HistoryList* history = nullptr;
  };
  // One dialog's parts, as its close saves and ends them.
  struct OpenDialog {
    std::span<const ColumnRule> columns;
    uint32_t dialogId = 0;  // the close writes widths under the section the init read
    std::unique_ptr<CFindListCtrl> list;
    std::array<Combo, 2> combos;  // Find File has one
  };
  // At close the windows go with the objects (the host only borrowed them); when a dialog is
  // opened again without a close, the earlier objects empty their combo boxes (the items are in
  // the history) and let go of their windows.
  enum class ControlWindow { kDestroy, kKeep };
  struct NewCombo {
    int controlId;
    std::unique_ptr<CFindEdit> object;
    HistoryList* history;
  };

  // Attaches the list, then the combo boxes in slot order; a failure takes back the history it
  // filled into the combo boxes and lets go of them all.
  void Attach(OpenDialog& parts, HWND dialog, uint32_t dialogId, int listId,
              std::unique_ptr<CFindListCtrl> list, std::span<NewCombo> combos,
              std::span<const MatchedColumn> matchedColumns);
  void AttachList(OpenDialog& parts, HWND dialog, uint32_t dialogId, int controlId,
                  std::unique_ptr<CFindListCtrl> list);
  // Sets itemsBeforeFill to the combo box's count before it fills the history in (and leaves it
  // alone when the combo box already shows it).
  void AttachCombo(OpenDialog& parts, std::size_t slot, HWND dialog, int controlId,
                   std::unique_ptr<CFindEdit> combo, HistoryList& history, int& itemsBeforeFill);
  // When the host asked for it on the dialog, the list highlights matches in `columns`.
  static void HighlightIfAsked(CFindListCtrl& list, HWND dialog,
                               std::span<const MatchedColumn> columns);
  void End(OpenDialog& parts, ControlWindow window);
  // Lets go of the objects of an opening that failed half-way, saving nothing.
  static void Discard(OpenDialog& parts);

  Profile& profile_;
  HistoryLists& histories_;
  OpenDialog findFile_;
  OpenDialog findTag_;
};

}  // namespace tolvane
