#include "automation_model.h"

#include <algorithm>

#include "wide_narrow.h"

namespace tolvane::host {

int& AutomationObjectsAlive() {
  static int alive = 0;
  return alive;
}

namespace {

#ifdef _WIN32
#define HOST_CALL STDMETHODCALLTYPE
#else
#define HOST_CALL
#endif

class PanePoint final : public AutomationObject<TextPoint> {
 public:
  PanePoint(EditorPane& pane, std::size_t offset) : pane_(pane), offset_(offset) {}
  HRESULT HOST_CALL TryToShow(int32_t, VARIANT, VARIANT_BOOL* shown) override {
    // Every way of showing is answered by centring the point's line; that is what the module asks.
    pane_.ScrollLineToMiddle(pane_.Buffer().LineOf(offset_));
    if (shown != nullptr) *shown = kAutomationTrue;
    return kOk;
  }

 private:
  EditorPane& pane_;
  std::size_t offset_;
};

class PaneSelection final : public AutomationObject<TextSelection> {
 public:
  explicit PaneSelection(EditorPane& pane) : pane_(pane) {}

  HRESULT HOST_CALL get_ActivePoint(TextPoint** point) override {
    if (point == nullptr) return kPointer;
    *point = new PanePoint(pane_, pane_.Selection().active);
    return kOk;
  }
  HRESULT HOST_CALL EndOfLine(VARIANT_BOOL extend) override {
    const TextBuffer& text = pane_.Buffer();
    MoveActive(text.LineEnd(text.LineOf(pane_.Selection().active)), extend);
    return kOk;
  }
  HRESULT HOST_CALL StartOfLine(int32_t where, VARIANT_BOOL extend) override {
    const TextBuffer& text = pane_.Buffer();
    const int32_t line = text.LineOf(pane_.Selection().active);
    std::size_t target = text.LineStart(line);
    if (where != 0) {  // the first non-blank character rather than the first column
      const std::size_t end = text.LineEnd(line);
      while (target < end && (text.Text()[target] == ' ' || text.Text()[target] == '\t')) ++target;
    }
    MoveActive(target, extend);
    return kOk;
  }
  HRESULT HOST_CALL FindText(BSTR wanted, int32_t flags, VARIANT_BOOL* found) override {
    if (found == nullptr) return kPointer;
    const CaretRange range = pane_.Selection();
    // Forward searches start at the caret, backward ones end before the selection's start.
    const std::size_t from =
        (flags & kFindBackward) ? std::min(range.anchor, range.active) : range.active;
    const std::string needle = NarrowFromWide(wanted);
    const auto at = pane_.Buffer().Find(needle, from, flags);
    if (!at) {
      *found = kAutomationFalse;
      return kOk;
    }
    pane_.Select(CaretRange{*at, *at + needle.size()});
    *found = kAutomationTrue;
    return kOk;
  }
  HRESULT HOST_CALL MoveToLineAndOffset(int32_t line, int32_t column,
                                        VARIANT_BOOL extend) override {
    MoveActive(pane_.Buffer().OffsetOf(line, column), extend);
    return kOk;
  }

 private:
  void MoveActive(std::size_t offset, VARIANT_BOOL extend) {
    CaretRange range = pane_.Selection();
    range.active = offset;
    if (extend == kAutomationFalse) range.anchor = offset;
    pane_.Select(range);
  }

  EditorPane& pane_;
};

class PaneTextDocument final : public AutomationObject<TextDocument> {
 public:
  explicit PaneTextDocument(EditorPane& pane) : pane_(pane) {}
  HRESULT HOST_CALL get_Selection(TextSelection** selection) override {
    if (selection == nullptr) return kPointer;
    *selection = new PaneSelection(pane_);
    return kOk;
  }

 protected:
  bool Offers(const GUID& iid) const override { return SameGuid(iid, kIID_TextDocument); }

 private:
  EditorPane& pane_;
};

class PaneDocument final : public AutomationObject<AutomationDocument> {
 public:
  explicit PaneDocument(EditorPane& pane) : pane_(pane) {}
  HRESULT HOST_CALL Object(BSTR modelKind, IDispatch** object) override {
    if (object == nullptr) return kPointer;
    *object = nullptr;
    if (NarrowFromWide(modelKind) != "TextDocument") return kNoInterface;
    *object = new PaneTextDocument(pane_);
    return kOk;
  }

 private:
  EditorPane& pane_;
};

class PaneWindow final : public AutomationObject<AutomationWindow> {
 public:
  explicit PaneWindow(EditorPane& pane) : pane_(pane) {}
  HRESULT HOST_CALL get_HWnd(int32_t* handle) override {
    if (handle == nullptr) return kPointer;
    *handle = pane_.WindowHandle();
    return kOk;
  }
  HRESULT HOST_CALL get_Document(AutomationDocument** document) override {
    if (document == nullptr) return kPointer;
    *document = nullptr;
    if (pane_.CurrentFile().empty()) return kFail;  // nothing open yet
    *document = new PaneDocument(pane_);
    return kOk;
  }

 private:
  EditorPane& pane_;
};

class PaneItemOperations final : public AutomationObject<ItemOperations> {
 public:
  explicit PaneItemOperations(EditorPane& pane) : pane_(pane) {}
  HRESULT HOST_CALL OpenFile(BSTR fileName, BSTR, AutomationWindow** window) override {
    if (window == nullptr) return kPointer;
    *window = nullptr;
    // The pane shows one file at a time, so every view kind opens it in the pane.
    if (!pane_.OpenFile(NarrowFromWide(fileName))) return kFail;
    *window = new PaneWindow(pane_);
    return kOk;
  }

 private:
  EditorPane& pane_;
};

class HostAutomationRoot final : public AutomationObject<AutomationRoot> {
 public:
  explicit HostAutomationRoot(EditorPane& pane) : pane_(pane) {}
  HRESULT HOST_CALL get_MainWindow(AutomationWindow** window) override {
    if (window == nullptr) return kPointer;
    *window = new PaneWindow(pane_);
    return kOk;
  }
  HRESULT HOST_CALL get_ItemOperations(ItemOperations** operations) override {
    if (operations == nullptr) return kPointer;
    *operations = new PaneItemOperations(pane_);
    return kOk;
  }

 private:
  EditorPane& pane_;
};

}  // namespace

AutomationRoot* CreateAutomationRoot(EditorPane& pane) {
  return new HostAutomationRoot(pane);
}

}  // namespace tolvane::host
