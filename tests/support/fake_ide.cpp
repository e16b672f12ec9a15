#include "support/fake_ide.h"

#include <cstdio>
#include <functional>

namespace tolvane::testing {
namespace {

std::string FlagsText(int32_t flags) {
  char text[16];
  std::snprintf(text, sizeof text, "0x%X", static_cast<unsigned>(flags));
  return text;
}

std::string VariantText(const VARIANT& value) {
  if (value.vt == kVariantInt32) return "int32 " + std::to_string(value.lVal);
  return "vt " + std::to_string(value.vt);
}

// Hands out a counted reference, or null with the given status.
template <typename Wanted, typename Held>
HRESULT HandOut(Held* object, bool available, Wanted** out, HRESULT missing = kOk) {
  if (out == nullptr) return kFakeBadPointer;
  *out = available ? object : nullptr;
  if (*out == nullptr) return missing;
  object->AddRef();
  return kOk;
}

class FakePoint final : public FakeComObject<TextPoint> {
 public:
  FakePoint(FakeObjectRegistry& registry, const std::string& file, FakeFile& state)
      : FakeComObject(registry, "Point(" + file + ")"), file_(state) {}

  HRESULT TOLVANE_STDCALL TryToShow(int32_t how, VARIANT count, VARIANT_BOOL* shown) override {
    Record("TryToShow(" + std::to_string(how) + ", " + VariantText(count) + ")");
    file_.text.Show(how);
    if (shown != nullptr) *shown = kAutomationTrue;
    return kOk;
  }

 private:
  FakeFile& file_;
};

class FakeSelection final : public FakeComObject<TextSelection> {
 public:
  FakeSelection(FakeObjectRegistry& registry, const std::string& file, FakeFile& state,
                FakePoint& point)
      : FakeComObject(registry, "Selection(" + file + ")"), file_(state), point_(point) {}

  HRESULT TOLVANE_STDCALL get_ActivePoint(TextPoint** point) override {
    Record("get_ActivePoint");
    return HandOut(&point_, file_.hasActivePoint, point);
  }
  HRESULT TOLVANE_STDCALL EndOfLine(VARIANT_BOOL extend) override {
    Record("EndOfLine(" + TruthText(extend) + ")");
    file_.text.EndOfLine(extend != kAutomationFalse);
    return kOk;
  }
  HRESULT TOLVANE_STDCALL StartOfLine(int32_t where, VARIANT_BOOL extend) override {
    Record("StartOfLine(" + std::to_string(where) + ", " + TruthText(extend) + ")");
    file_.text.StartOfLine(where, extend != kAutomationFalse);
    return kOk;
  }
  HRESULT TOLVANE_STDCALL FindText(BSTR text, int32_t flags, VARIANT_BOOL* found) override {
    Record("FindText(" + NarrowText(text) + ", " + FlagsText(flags) + ")");
    if (found == nullptr) return kFakeBadPointer;
    *found = kAutomationFalse;
    if (file_.findStatus < 0) return file_.findStatus;
    if (text != nullptr && file_.text.Find(NarrowText(text), flags)) *found = kAutomationTrue;
    return kOk;
  }
  HRESULT TOLVANE_STDCALL MoveToLineAndOffset(int32_t line, int32_t column,
                                              VARIANT_BOOL extend) override {
    Record("MoveToLineAndOffset(" + std::to_string(line) + ", " + std::to_string(column) + ", " +
           TruthText(extend) + ")");
    return file_.text.MoveTo(line, column, extend != kAutomationFalse) ? kOk : kFakeBadArgument;
  }

 private:
  FakeFile& file_;
  FakePoint& point_;
};

class FakeTextDocument final : public FakeComObject<TextDocument> {
 public:
  FakeTextDocument(FakeObjectRegistry& registry, const std::string& file, FakeFile& state,
                   FakeSelection& selection)
      : FakeComObject(registry, "TextDocument(" + file + ")"),
        file_(state),
        selection_(selection) {}

  HRESULT TOLVANE_STDCALL get_Selection(TextSelection** selection) override {
    Record("get_Selection");
    return HandOut(&selection_, file_.hasSelection, selection);
  }

 protected:
  IUnknown* Offer(const GUID& iid) override {
    return SameGuid(iid, kIID_TextDocument) ? this : nullptr;
  }

 private:
  FakeFile& file_;
  FakeSelection& selection_;
};

// What a document's "TextDocument" object call gives: a plain dispatch object that leads on to
// the text document only through query-interface.
class FakeModelObject final : public FakeComObject<IDispatch> {
 public:
  FakeModelObject(FakeObjectRegistry& registry, const std::string& file, FakeFile& state,
                  FakeTextDocument& textDocument)
      : FakeComObject(registry, "DocumentObject(" + file + ")"),
        file_(state),
        textDocument_(textDocument) {}

 protected:
  IUnknown* Offer(const GUID& iid) override {
    if (!SameGuid(iid, kIID_TextDocument) || !file_.offersTextDocument) return nullptr;
    return &textDocument_;
  }

 private:
  FakeFile& file_;
  FakeTextDocument& textDocument_;
};

class FakeDocument final : public FakeComObject<AutomationDocument> {
 public:
  FakeDocument(FakeObjectRegistry& registry, const std::string& file, FakeFile& state,
               FakeModelObject& object)
      : FakeComObject(registry, "Document(" + file + ")"), file_(state), object_(object) {}

  HRESULT TOLVANE_STDCALL Object(BSTR modelKind, IDispatch** object) override {
    const std::string kind = NarrowText(modelKind);
    Record("Object(" + kind + ")");
    return HandOut(&object_, file_.hasTextDocumentObject && kind == "TextDocument", object);
  }

 private:
  FakeFile& file_;
  FakeModelObject& object_;
};

class FakeWindow final : public FakeComObject<AutomationWindow> {
 public:
  // A file's window (with its document) or, with neither, the main window.
  FakeWindow(FakeObjectRegistry& registry, std::string objectName, const FakeIde& ide,
             FakeFile* file = nullptr, FakeDocument* document = nullptr)
      : FakeComObject(registry, std::move(objectName)), ide_(ide), file_(file), document_(document) {}

  HRESULT TOLVANE_STDCALL get_HWnd(int32_t* handle) override {
    Record("get_HWnd");
    if (handle == nullptr) return kFakeBadPointer;
    *handle = file_ == nullptr ? ide_.MainWindowHandle() : 0;
    return kOk;
  }
  HRESULT TOLVANE_STDCALL get_Document(AutomationDocument** document) override {
    Record("get_Document");
    return HandOut(document_, file_ != nullptr && file_->windowHasDocument, document);
  }

 private:
  const FakeIde& ide_;
  FakeFile* file_;
  FakeDocument* document_;
};

using WindowOpener =
    std::function<AutomationWindow*(const std::string& file, const std::string& kind)>;

class FakeItemOperations final : public FakeComObject<ItemOperations> {
 public:
  FakeItemOperations(FakeObjectRegistry& registry, WindowOpener opener)
      : FakeComObject(registry, "ItemOperations"), opener_(std::move(opener)) {}

  HRESULT TOLVANE_STDCALL OpenFile(BSTR fileName, BSTR viewKind,
                                   AutomationWindow** window) override {
    const std::string file = NarrowText(fileName), kind = NarrowText(viewKind);
    Record("OpenFile(" + file + ", " + kind + ")");
    if (window == nullptr) return kFakeBadPointer;
    *window = fileName != nullptr ? opener_(file, kind) : nullptr;
    if (*window == nullptr) return kFakeFailure;
    (*window)->AddRef();
    return kOk;
  }

 private:
  WindowOpener opener_;
};

class FakeRoot final : public FakeComObject<AutomationRoot> {
 public:
  FakeRoot(FakeObjectRegistry& registry, const FakeIde& ide, FakeWindow& mainWindow,
           FakeItemOperations& operations)
      : FakeComObject(registry, "Root"),
        ide_(ide),
        mainWindow_(mainWindow),
        operations_(operations) {}

  HRESULT TOLVANE_STDCALL get_MainWindow(AutomationWindow** window) override {
    Record("get_MainWindow");
    return HandOut(&mainWindow_, ide_.mainWindowAvailable, window, kFakeFailure);
  }
  HRESULT TOLVANE_STDCALL get_ItemOperations(ItemOperations** operations) override {
    Record("get_ItemOperations");
    return HandOut(&operations_, ide_.itemOperationsAvailable, operations,
                   ide_.itemOperationsMissingStatus);
  }

 private:
  const FakeIde& ide_;
  FakeWindow& mainWindow_;
  FakeItemOperations& operations_;
};

}  // namespace

struct FakeIde::FileObjects {
  FileObjects(FakeObjectRegistry& registry, const FakeIde& ide, const std::string& name,
              std::vector<std::string> lines)
      : state(),
        point(registry, name, state),
        selection(registry, name, state, point),
        textDocument(registry, name, state, selection),
        object(registry, name, state, textDocument),
        document(registry, name, state, object),
        window(registry, "Window(" + name + ")", ide, &state, &document) {
    state.text = FakeTextBuffer(std::move(lines));
  }

  FakeFile state;
  FakePoint point;
  FakeSelection selection;
  FakeTextDocument textDocument;
  FakeModelObject object;
  FakeDocument document;
  FakeWindow window;
};

struct FakeIde::Objects {
  Objects(FakeObjectRegistry& registry, FakeIde& ide)
      : mainWindow(registry, "MainWindow", ide),
        operations(registry,
                   [&ide](const std::string& file, const std::string& kind) -> AutomationWindow* {
                     auto found = ide.files_.find(file);
                     if (found == ide.files_.end()) return nullptr;
                     FileObjects& objects = *found->second;
                     if (!objects.state.opensInWindow) return nullptr;
                     ++objects.state.openCount;
                     objects.state.lastViewKind = kind;
                     return &objects.window;
                   }),
        root(registry, ide, mainWindow, operations) {}

  FakeWindow mainWindow;
  FakeItemOperations operations;
  FakeRoot root;
};

FakeIde::FakeIde() : objects_(std::make_unique<Objects>(registry_, *this)) {}

FakeIde::~FakeIde() = default;

AutomationRoot* FakeIde::Root() {
  return &objects_->root;
}

IDispatch* FakeIde::RootDispatch() {
  return &objects_->root;
}

FakeFile& FakeIde::AddFile(const std::string& name, std::vector<std::string> lines) {
  auto& slot = files_[name];
  if (slot) {
    slot->state.text = FakeTextBuffer(std::move(lines));
  } else {
    slot = std::make_unique<FileObjects>(registry_, *this, name, std::move(lines));
  }
  return slot->state;
}

FakeFile* FakeIde::File(const std::string& name) {
  auto found = files_.find(name);
  return found == files_.end() ? nullptr : &found->second->state;
}

long FakeIde::References(const std::string& objectName) const {
  const auto snapshot = registry_.ReferenceSnapshot();
  const auto found = snapshot.find(objectName);
  return found == snapshot.end() ? 0 : found->second;
}

}  // namespace tolvane::testing
