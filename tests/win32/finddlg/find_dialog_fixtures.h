// A host with an open Find File or Find Tag dialog: the module created over a clean profile
// (module/module_fixture.h), the host's dialog with its real controls, the host's records, and
// the dialog opened through the module's init entry.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "find_test_controls.h"
#include "harness/test_dialog.h"
#include "module/module_fixture.h"
#include "support/fake_records.h"

namespace tolvane::testing {

inline constexpr uint32_t kFindFileDialogId = 1000;
inline constexpr uint32_t kFindTagDialogId = 2000;

class FindModuleTest : public ModuleTest {
 protected:
  void TearDown() override {
    if (open && created != nullptr) CloseDialog();
    DestroyModule();
  }
  virtual bool CloseDialog() = 0;

  bool open = false;  // between a successful Open and Close
};

// The host's dialog is an ANSI window unless a test's fixture asks for a Unicode dialog.
class FindFileTest : public FindModuleTest {
 protected:
  explicit FindFileTest(TestDialog::Charset charset = TestDialog::Charset::kAnsi)
      : dialog(charset) {}
  // Records "file<i>" with extension "cpp" and path "C:\src\<i>"; key i + 100 for row i.
  void MakeFiles(int count);
  // Creates the module (unless created), the controls, and calls entry 1.
  void Open(int rows = 0, int listHeight = 200) {
    AddControls(listHeight);
    Init(rows);
  }
  void AddControls(int listHeight = 200);
  void Init(int rows = 0);
  bool Close() { return CloseDialog(); }
  bool CloseDialog() override;
  void SetRows(int rows);

  TestDialog dialog;
  HWND list = nullptr;
  HWND combo = nullptr;
  FakeFileSource source;
  HostFileSource* sourceWord = &source;
  std::vector<uint32_t> keys;
  HostFileKeyArray keyArray{nullptr};
  std::vector<std::unique_ptr<FakeFileRecord>> records;
  CFindFileEdit* comboObject = nullptr;
  CFindFileListCtrl* listObject = nullptr;
};

class FindTagTest : public FindModuleTest {
 protected:
  explicit FindTagTest(TestDialog::Charset charset = TestDialog::Charset::kAnsi)
      : dialog(charset) {}
  void Open(int rows = 0, int listHeight = 200) {
    AddControls(listHeight);
    Init(rows);
  }
  void AddControls(int listHeight = 200);
  void Init(int rows = 0);
  bool Close() { return CloseDialog(); }
  bool CloseDialog() override;
  void SetRows(int rows);

  TestDialog dialog;
  HWND list = nullptr;
  HWND parentCombo = nullptr;
  HWND tagCombo = nullptr;
  std::vector<HostTagRecord*> tags;
  HostTagArray tagArray{nullptr};
  CFindTagEdit* parentObject = nullptr;
  CFindTagEdit* tagObject = nullptr;
  CFindTagListCtrl* listObject = nullptr;
};

}  // namespace tolvane::testing
