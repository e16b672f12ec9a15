// The IDE's automation chain as the module walks it for creation and go-to-tag, in the MSVC ABI:
// root -> main window (a real top-level window) and item operations -> one openable file's window
// -> document -> model object -> (query-interface) text document -> selection -> active point.
// The editor's moves are written to a log ("Move(1,1,0);Show(0,3,0);...") and every reference
// handed out or taken is counted, so that a reference the module keeps or drops shows.
#pragma once

#include "checks.h"
#include "tolvane/automation.h"

namespace host {

using namespace tolvane;

constexpr HRESULT kFailure = HRESULT(0x80004005u);
constexpr HRESULT kBadPointer = HRESULT(0x80004003u);

// References held on every fake object together; the root's are also counted on their own.
inline long outstandingReferences = 0;

// IUnknown and IDispatch for any of the automation interfaces; `offered` answers one more IID.
template <typename Interface>
class ComObject : public Interface {
 public:
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
    if (object == nullptr) return kBadPointer;
    *object = nullptr;
    IUnknown* found = nullptr;
    if (SameGuid(iid, kUnknownIid) || SameGuid(iid, kDispatchIid)) found = this;
    if (offered != nullptr && SameGuid(iid, *offeredIid)) found = offered;
    if (found == nullptr) return kNoInterface;
    found->AddRef();
    *object = found;
    return kOk;
  }
  ULONG STDMETHODCALLTYPE AddRef() override {
    ++outstandingReferences;
    return ULONG(++references);
  }
  ULONG STDMETHODCALLTYPE Release() override {
    --outstandingReferences;
    return ULONG(--references);
  }
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT*) override { return kNotImplemented; }
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override {
    return kNotImplemented;
  }
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override {
    return kNotImplemented;
  }
  HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*,
                                   UINT*) override {
    return kNotImplemented;
  }

  long references = 0;
  const GUID* offeredIid = nullptr;
  IUnknown* offered = nullptr;

 private:
  static constexpr GUID kUnknownIid = {0, 0, 0, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};
  static constexpr GUID kDispatchIid = {0x00020400, 0, 0, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};
};

// Gives the caller a counted reference to `object`; null (and `missing`) without one.
template <typename Wanted, typename Held>
HRESULT HandOut(Held* object, Wanted** out, HRESULT missing = kFailure) {
  if (out == nullptr) return kBadPointer;
  *out = object;
  if (object == nullptr) return missing;
  object->AddRef();
  return kOk;
}

// The file the fake editor can open and the log of the module's moves.
struct Editor {
  const char* fileName = "C:\\src\\util.cpp";
  Text log;
};

class FakePoint final : public ComObject<TextPoint> {
 public:
  explicit FakePoint(Editor& editor) : editor_(editor) {}
  HRESULT TOLVANE_STDCALL TryToShow(int32_t how, VARIANT count, VARIANT_BOOL* shown) override {
    editor_.log.Add("Show(").AddNumber(how).Add(",").AddNumber(count.vt).Add(",");
    editor_.log.AddNumber(count.lVal).Add(");");
    if (shown != nullptr) *shown = kAutomationTrue;
    return kOk;
  }

 private:
  Editor& editor_;
};

class FakeSelection final : public ComObject<TextSelection> {
 public:
  FakeSelection(Editor& editor, FakePoint& point) : editor_(editor), point_(point) {}
  HRESULT TOLVANE_STDCALL get_ActivePoint(TextPoint** point) override {
    return HandOut(&point_, point);
  }
  HRESULT TOLVANE_STDCALL EndOfLine(VARIANT_BOOL extend) override {
    editor_.log.Add("End(").AddNumber(extend).Add(");");
    return kOk;
  }
  HRESULT TOLVANE_STDCALL StartOfLine(int32_t where, VARIANT_BOOL extend) override {
    editor_.log.Add("Start(").AddNumber(where).Add(",").AddNumber(extend).Add(");");
    return kOk;
  }
  // Every text is found.
  HRESULT TOLVANE_STDCALL FindText(BSTR text, int32_t flags, VARIANT_BOOL* found) override {
    editor_.log.Add("Find(").Add(text).Add(",").AddNumber(flags).Add(");");
    if (found == nullptr) return kBadPointer;
    *found = kAutomationTrue;
    return kOk;
  }
  HRESULT TOLVANE_STDCALL MoveToLineAndOffset(int32_t line, int32_t column,
                                              VARIANT_BOOL extend) override {
    editor_.log.Add("Move(").AddNumber(line).Add(",").AddNumber(column).Add(",");
    editor_.log.AddNumber(extend).Add(");");
    return kOk;
  }

 private:
  Editor& editor_;
  FakePoint& point_;
};

class FakeTextDocument final : public ComObject<TextDocument> {
 public:
  explicit FakeTextDocument(FakeSelection& selection) : selection_(selection) {}
  HRESULT TOLVANE_STDCALL get_Selection(TextSelection** selection) override {
    return HandOut(&selection_, selection);
  }

 private:
  FakeSelection& selection_;
};

class FakeDocument final : public ComObject<AutomationDocument> {
 public:
  explicit FakeDocument(IDispatch& modelObject) : modelObject_(modelObject) {}
  HRESULT TOLVANE_STDCALL Object(BSTR modelKind, IDispatch** object) override {
    Text kind;
    kind.Add(modelKind);
    return HandOut(Same(kind.c_str(), "TextDocument") ? &modelObject_ : nullptr, object);
  }

 private:
  IDispatch& modelObject_;
};

// The main window (no document) or the open file's window.
class FakeWindow final : public ComObject<AutomationWindow> {
 public:
  HRESULT TOLVANE_STDCALL get_HWnd(int32_t* handle) override {
    if (handle == nullptr) return kBadPointer;
    *handle = static_cast<int32_t>(reinterpret_cast<intptr_t>(window));
    return kOk;
  }
  HRESULT TOLVANE_STDCALL get_Document(AutomationDocument** out) override {
    return HandOut(document, out);
  }

  HWND window = nullptr;
  FakeDocument* document = nullptr;
};

class FakeItemOperations final : public ComObject<ItemOperations> {
 public:
  FakeItemOperations(Editor& editor, FakeWindow& fileWindow)
      : editor_(editor), fileWindow_(fileWindow) {}
  HRESULT TOLVANE_STDCALL OpenFile(BSTR fileName, BSTR viewKind,
                                   AutomationWindow** window) override {
    Text name;
    name.Add(fileName);
    editor_.log.Add("Open(").Add(name.c_str()).Add(",").Add(viewKind).Add(");");
    return HandOut(Same(name.c_str(), editor_.fileName) ? &fileWindow_ : nullptr, window);
  }

 private:
  Editor& editor_;
  FakeWindow& fileWindow_;
};

class FakeRoot final : public ComObject<AutomationRoot> {
 public:
  HRESULT TOLVANE_STDCALL get_MainWindow(AutomationWindow** window) override {
    return HandOut(mainWindow, window);
  }
  HRESULT TOLVANE_STDCALL get_ItemOperations(ItemOperations** operations) override {
    return HandOut(itemOperations, operations);
  }

  FakeWindow* mainWindow = nullptr;  // null: the IDE has no main window
  FakeItemOperations* itemOperations = nullptr;
};

// The whole chain for one openable file.
struct FakeIde {
  FakeIde() {
    modelObject.offeredIid = &kIID_TextDocument;
    modelObject.offered = &textDocument;
    fileWindow.document = &document;
    root.mainWindow = &mainWindow;
    root.itemOperations = &operations;
  }

  Editor editor;
  FakePoint point{editor};
  FakeSelection selection{editor, point};
  FakeTextDocument textDocument{selection};
  ComObject<IDispatch> modelObject;
  FakeDocument document{modelObject};
  FakeWindow fileWindow;
  FakeWindow mainWindow;
  FakeItemOperations operations{editor, fileWindow};
  FakeRoot root;
};

}  // namespace host
