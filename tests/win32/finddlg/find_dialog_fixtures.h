// A host with an open Find File or Find Tag dialog: the module created over a clean profile
// (module/module_fixture.h), the host's dialog with its real controls, the host's records, and
// the dialog opened through the module's init entry. One fixture serves both dialogs, as one
// set of classes in the module does: what differs between them is a FindDialogKind.
#pragma once

#include <gtest/gtest.h>

#include <deque>
#include <span>
#include <string>
#include <vector>

#include "find_test_controls.h"
#include "finddlg/column_rule.h"
#include "harness/test_dialog.h"
#include "module/module_fixture.h"
#include "support/fake_records.h"

namespace tolvane::testing {

// What a host's dialog of one kind is made of, and the entries that serve it.
struct FindDialogKind {
  const char* name;  // for test names
  uint32_t dialogId;
  int listId;
  std::vector<int> comboIds;
  std::vector<std::string> histories;  // the profile value behind each combo box
  std::vector<OpsIndex> addEntries;    // the entry that adds to each combo box
  std::span<const ColumnRule> columns;
};
extern const FindDialogKind kFindFile;
extern const FindDialogKind kFindTag;

class FindDialogTest : public ModuleTest {
 protected:
  explicit FindDialogTest(const FindDialogKind& dialogKind,
                          TestDialog::Charset charset = TestDialog::Charset::kAnsi)
      : kind(dialogKind), dialog(charset) {}
  void TearDown() override {
    if (open && created != nullptr) Close();
    DestroyModule();
  }

  bool IsFindFile() const { return &kind == &kFindFile; }
  // Row i shows file "file<i>.cpp" in "C:\src\<i>" (key 100 + i); in Find Tag, tag "tag<i>" of
  // kind Function in that file, namespace "ns", parent "Parent", line text "line <i>".
  void MakeRows(int count);
  // The list (of `listHeight` pixels) and the combo boxes, in the fixture's dialog or another.
  void AddControls(int listHeight = 200) { AddControlsTo(dialog, listHeight); }
  void AddControlsTo(TestDialog& target, int listHeight = 200);
  // Creates the module (unless created) and calls the kind's init entry for `dialogWindow`.
  void Init(int rows = 0) { InitIn(dialog.Handle(), rows); }
  void InitIn(HWND dialogWindow, int rows = 0);
  void Open(int rows = 0, int listHeight = 200) {
    AddControls(listHeight);
    Init(rows);
  }
  bool Close();
  void SetRows(int rows);
  void AddHistory(std::size_t combo, const std::string& text);
  // WM_USER+1 requests the dialog received from the combo box `comboId`.
  int RefreshRequests(int comboId) const;

  const FindDialogKind& kind;
  TestDialog dialog;
  HWND list = nullptr;
  std::vector<HWND> combos;
  bool open = false;  // between a successful init and close

  // Find File's host objects.
  FakeFileSource source;
  HostFileSource* sourceWord = &source;
  std::vector<uint32_t> keys;
  HostFileKeyArray keyArray{nullptr};
  std::deque<FakeFileRecord> files;
  // Find Tag's.
  std::deque<FakeTagRecord> tagRecords;
  std::vector<HostTagRecord*> tags;
  HostTagArray tagArray{nullptr};
  // What init is handed: the objects above unless a test points elsewhere.
  HostFileSource** sourceWordAt = &sourceWord;
  HostFileKeyArray* keyArrayAt = &keyArray;
  HostTagArray* tagArrayAt = &tagArray;

 private:
  std::deque<std::string> texts_;  // the tag records' texts
};

// A fixture run once for each dialog kind, through TEST_P.
template <TestDialog::Charset kCharset = TestDialog::Charset::kAnsi>
class EachFindDialog : public FindDialogTest,
                       public ::testing::WithParamInterface<const FindDialogKind*> {
 protected:
  EachFindDialog() : FindDialogTest(*GetParam(), kCharset) {}
};

inline std::string KindName(const ::testing::TestParamInfo<const FindDialogKind*>& info) {
  return info.param->name;
}

}  // namespace tolvane::testing

// Runs every TEST_P of `suite` for Find File and for Find Tag.
#define TOLVANE_FOR_BOTH_FIND_DIALOGS(suite)                                            \
  INSTANTIATE_TEST_SUITE_P(                                                             \
      Both, suite,                                                                      \
      ::testing::Values(&::tolvane::testing::kFindFile, &::tolvane::testing::kFindTag), \
      ::tolvane::testing::KindName)
