// What the host's two Find dialogs share: a modeless dialog from an in-memory template whose list
// is an owner-data report list the module fills and whose combo boxes the module steers. The host
// decides the rows: it ranks them again (row_ranking.h) when the module reports a text change
// (NM_CHAR). It asks the module to highlight the matched characters in the lists.
#pragma once

// windows.h first: commctrl.h needs its types.
// clang-format off
#include <windows.h>
#include <commctrl.h>
// clang-format on

#include <functional>
#include <string>
#include <vector>

#include "dialog_template.h"
#include "module_link.h"
#include "tolvane/fuzzy_match.h"

namespace tolvane::host {

// Messages the host posts to its own dialog, so the work runs outside the module's handlers.
inline constexpr UINT kRefilterMessage = WM_APP + 1;
inline constexpr UINT kCloseMessage = WM_APP + 2;
// What a Find Tag combo box sends on F5.
inline constexpr UINT kReloadRequest = WM_USER + 1;

class FindDialog {
 public:
  FindDialog(const ModuleLink& module, HWND owner) : module_(module), owner_(owner) {}
  FindDialog(const FindDialog&) = delete;
  FindDialog& operator=(const FindDialog&) = delete;
  virtual ~FindDialog() = default;

  // Creates the dialog, hands its controls to the module, shows every row.
  bool Open();
  // Hands the controls back to the module (its close entry) and destroys the dialog.
  void Close();
  bool IsOpen() const { return dialog_ != nullptr; }
  HWND Handle() const { return dialog_; }
  // What the last Enter, F5 or close did, for the script's transcript.
  const std::string& LastOutcome() const { return outcome_; }
  // Called after the dialog closed itself (Enter, Escape, its close box).
  void OnClosed(std::function<void()> handler) { onClosed_ = std::move(handler); }

  virtual const char* Name() const = 0;  // "find-file", "find-tag"
  virtual int ListId() const = 0;
  virtual int MainComboId() const = 0;  // the combo box that has the focus when it opens

  HWND Item(int id) const { return ::GetDlgItem(dialog_, id); }
  int RowCount() const;
  int SelectedRow() const;
  // A cell's text as the list shows it, asked of the list (and so of the module).
  std::string CellText(int row, int column) const;
  std::string ComboText(int id) const;
  std::vector<std::string> ComboItems(int id) const;
  std::vector<int> ColumnWidths() const;

 protected:
  virtual DialogTemplate BuildTemplate() const = 0;
  virtual void AttachModule() = 0;  // the init entry
  virtual void DetachModule() = 0;  // the close entry
  virtual void Refilter() = 0;      // ranks the rows for the combo boxes' texts
  virtual void Confirm() = 0;       // Enter or a double click on a row
  virtual bool HandleRequest(UINT, WPARAM, LPARAM) { return false; }

  // How the matcher reads the texts: the host's are in its ANSI code page.
  static FuzzyEncoding TextEncoding() { return FuzzyEncodingForCodePage(::GetACP()); }
  // Tells the list how many rows it has and selects the first.
  void ShowRows(std::size_t count);
  // Closes the dialog once the current message is handled.
  void CloseSoon() { ::PostMessageW(dialog_, kCloseMessage, 0, 0); }

  const ModuleLink& module_;
  std::string outcome_;

 private:
  static INT_PTR CALLBACK DialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
  INT_PTR Handle(UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT PaintSelectionAsFocused(NMLVCUSTOMDRAW* draw) const;

  HWND owner_;
  HWND dialog_ = nullptr;
  std::function<void()> onClosed_;
};

}  // namespace tolvane::host
