// A fake of the IDE's automation model for tests, native and under Wine alike.
//
//   FakeIde ide;
//   ide.AddFile("a.cpp", {"int x;", "int main(void)"});
//   IDispatch* root = ide.RootDispatch();        // what the host hands to TolvaneRegCreate
//   ... run the code under test ...
//   ide.File("a.cpp")->text.Caret();             // where the editor's caret is now
//   ide.Calls();                                 // "Selection(a.cpp).FindText(int x, 0x4)", ...
//   ide.ReferenceChangesSince(snapshot);         // "" when every reference taken was released
//
// Objects: the root (14 main window, 42 item operations), the main window (27 native handle,
// settable), the item operations (9 open file), and per added file a window (35 document), a
// document (26 object, model kind "TextDocument"), that model object (a plain dispatch object
// whose query-interface offers kIID_TextDocument), the text document (9 selection), the
// selection (10 active point, 34, 35, 40 find with the flags of FakeTextBuffer::Find, 72 move)
// and its active point (21 try to show). Each can be made to fail through the knobs below.
// Every out reference is counted; counts start at 0 and nothing is deleted by a release.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "support/fake_com_object.h"
#include "support/fake_text_buffer.h"
#include "tolvane/automation.h"

namespace tolvane::testing {

// One file the fake editor can open, and what can go wrong with it.
struct FakeFile {
  FakeTextBuffer text;
  bool opensInWindow = true;          // open file gives a window (else: failure, no window)
  bool windowHasDocument = true;      // window 35
  bool hasTextDocumentObject = true;  // document 26 with "TextDocument"
  bool offersTextDocument = true;     // query-interface for kIID_TextDocument
  bool hasSelection = true;           // text document 9
  bool hasActivePoint = true;         // selection 10
  HRESULT findStatus = kOk;           // what find text answers (found only when not failing)
  int openCount = 0;
  std::string lastViewKind;
};

class FakeIde {
 public:
  FakeIde();
  ~FakeIde();
  FakeIde(const FakeIde&) = delete;
  FakeIde& operator=(const FakeIde&) = delete;

  AutomationRoot* Root();
  IDispatch* RootDispatch();

  // The name must match the opened file name exactly.
  FakeFile& AddFile(const std::string& name, std::vector<std::string> lines);
  FakeFile* File(const std::string& name);

  bool mainWindowAvailable = true;      // root 14
  bool itemOperationsAvailable = true;  // root 42
  // What root 42 answers without its object: a failure, or success with no object.
  HRESULT itemOperationsMissingStatus = kFakeFailure;
  void SetMainWindowHandle(int32_t handle) { mainWindowHandle_ = handle; }
#ifdef _WIN32
  void SetMainWindowHandle(HWND window) {
    mainWindowHandle_ = static_cast<int32_t>(reinterpret_cast<intptr_t>(window));
  }
#endif
  int32_t MainWindowHandle() const {
    return mainWindowHandle_;
  }

  FakeObjectRegistry& Registry() {
    return registry_;
  }
  const std::vector<std::string>& Calls() const {
    return registry_.Calls();
  }
  bool Called(const std::string& call) const {
    return registry_.Called(call);
  }
  void ClearCalls() {
    registry_.ClearCalls();
  }
  std::map<std::string, long> ReferenceSnapshot() const {
    return registry_.ReferenceSnapshot();
  }
  std::string ReferenceChangesSince(const std::map<std::string, long>& snapshot) const {
    return registry_.ReferenceChangesSince(snapshot);
  }
  long References(const std::string& objectName) const;

 private:
  struct Objects;
  struct FileObjects;

  FakeObjectRegistry registry_;  // first: outlives every object enlisted in it
  int32_t mainWindowHandle_ = 0;
  std::unique_ptr<Objects> objects_;
  std::map<std::string, std::unique_ptr<FileObjects>> files_;
};

}  // namespace tolvane::testing
