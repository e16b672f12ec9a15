// A short-lived holder of the three automation references one opened file needs: its document,
// the document's text view and that view's selection. Each field holds one reference or is
// null; the holder releases them in the order selection, text document, document when it goes.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "navigate/com_ref.h"
#include "seams/wide_strings.h"
#include "tolvane/automation.h"

namespace tolvane {

// The view kind that accepts any view of a file.
inline constexpr const char* kAnyViewKind = "{FFFFFFFF-FFFF-FFFF-FFFF-FFFFFFFFFFFF}";

class EditorDocument {
 public:
  // Borrows the automation root and the string seam for the holder's life.
  EditorDocument(AutomationRoot* root, WideStrings& strings) : root_(root), strings_(strings) {}
  EditorDocument(const EditorDocument&) = delete;
  EditorDocument& operator=(const EditorDocument&) = delete;

  // Declared in this order so that they are released in the reverse one.
  ComRef<AutomationDocument> document;
  ComRef<TextDocument> textDocument;
  ComRef<TextSelection> selection;

  // Releases and clears selection, then document, then text document.
  void Reset();

  // Opens the file in the editor; "Auto" (exactly) or null asks for any view. True when the
  // editor showed the file in a window, even if no text selection could be reached.
  bool Open(const char* fileName, const char* viewKind);

  // Fills textDocument from document (left null when the document has no text view).
  void BindTextDocument();

  // Scrolls so that the selection's active point is shown in the middle of the view. This and
  // SelectCaretLine need the selection that Open reached.
  void ShowCaretCentered();

  // Selects the caret's whole line, caret at its first column.
  void SelectCaretLine();

  // Searches from the selection with the flags of the option words; true when found, the
  // selection then standing on the text.
  bool FindText(const char* text, const std::vector<std::string>& optionWords);

 private:
  AutomationRoot* root_;
  WideStrings& strings_;
};

}  // namespace tolvane
