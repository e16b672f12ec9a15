#include "navigate/editor_document.h"

#include <cstring>

#include "navigate/find_options.h"
#include "navigate/wide_text.h"

namespace tolvane {
namespace {

// The model kind of a document's text view, as a wide literal for either character type.
constexpr WideChar kTextDocumentKind[] = {'T', 'e', 'x', 't', 'D', 'o', 'c',
                                          'u', 'm', 'e', 'n', 't', 0};

}  // namespace

void EditorDocument::Reset() {
  selection.Reset();
  document.Reset();
  textDocument.Reset();
}

bool EditorDocument::Open(const char* fileName, const char* viewKind) {
  Reset();
  if (viewKind == nullptr || std::strcmp(viewKind, "Auto") == 0) viewKind = kAnyViewKind;
  if (root_ == nullptr) return false;

  ComRef<ItemOperations> operations;
  if (root_->get_ItemOperations(operations.Put()) < 0 || !operations) return false;

  ComRef<AutomationWindow> window;
  {
    const WideText wideViewKind(strings_, viewKind);
    const WideText wideFileName(strings_, fileName);
    // Only whether a window came back counts, not the status.
    operations->OpenFile(wideFileName.get(), wideViewKind.get(), window.Put());
  }
  if (window) window->get_Document(document.Put());
  BindTextDocument();
  if (textDocument) textDocument->get_Selection(selection.Put());
  return static_cast<bool>(window);
}

void EditorDocument::BindTextDocument() {
  textDocument.Reset();
  if (!document) return;
  ComRef<IDispatch> object;
  {
    const WideText modelKind = WideText::Copy(strings_, kTextDocumentKind);
    document->Object(modelKind.get(), object.Put());
  }
  if (!object) return;
  if (object->QueryInterface(kIID_TextDocument, reinterpret_cast<void**>(textDocument.Put())) < 0) {
    textDocument.Reset();
  }
}

void EditorDocument::ShowCaretCentered() {
  ComRef<TextPoint> point;
  selection->get_ActivePoint(point.Put());
  if (!point) return;
  VARIANT count{};
  count.vt = kVariantInt32;
  count.lVal = 0;
  VARIANT_BOOL shown = kAutomationFalse;
  point->TryToShow(0, count, &shown);  // how 0: centred
  strings_.ClearVariant(&count);
}

void EditorDocument::SelectCaretLine() {
  selection->EndOfLine(kAutomationFalse);
  selection->StartOfLine(0, kAutomationTrue);  // where 0: the first column
}

bool EditorDocument::FindText(const char* text, const std::vector<std::string>& optionWords) {
  const int32_t flags = FindFlags(optionWords);
  const WideText wideText(strings_, text);
  if (!selection) return false;
  VARIANT_BOOL found = kAutomationFalse;
  if (selection->FindText(wideText.get(), flags, &found) < 0) return false;
  return found == kAutomationTrue;
}

}  // namespace tolvane
