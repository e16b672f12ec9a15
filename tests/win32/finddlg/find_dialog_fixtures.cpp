#include "find_dialog_fixtures.h"

#include <commctrl.h>

#include <string>

#include "finddlg/column_tables.h"

namespace tolvane::testing {

const FindDialogKind kFindFile{
    "FindFile",           1000, 1020, {1021}, {"FilenameEditList"}, {kAddFilenameHistory},
    FindFileColumnRules()};
const FindDialogKind kFindTag{"FindTag",
                              2000,
                              1050,
                              {1051, 1052},
                              {"TagParentEditList", "TagEditList"},
                              {kAddTagParentHistory, kAddTagHistory},
                              FindTagColumnRules()};

void FindDialogTest::MakeRows(int count) {
  for (int i = 0; i < count; ++i) {
    const std::string number = std::to_string(i);
    FakeFileRecord& file = files.emplace_back("file" + number, "cpp", "C:\\src\\" + number);
    const auto key = static_cast<uint32_t>(i + 100);
    source.records[key] = &file;
    keys.push_back(key);
    FakeTagRecord& tag = tagRecords.emplace_back();
    tag.kind = kTagFunction;
    tag.name = texts_.emplace_back("tag" + number).c_str();
    tag.nameSpace = "ns";
    tag.parentName = "Parent";
    tag.pattern = texts_.emplace_back("^line\t" + number + "$").c_str();
    tag.file = &file;
    tags.push_back(&tag);
  }
  keyArray.keys = keys.data();
  tagArray.tags = tags.data();
}

void FindDialogTest::AddControlsTo(TestDialog& target, int listHeight) {
  list = target.AddList(kind.listId, LVS_OWNERDATA, 360, listHeight);
  combos.clear();
  for (int id : kind.comboIds) combos.push_back(target.AddCombo(id));
}

void FindDialogTest::InitIn(HWND dialogWindow, int rows) {
  if (created == nullptr) CreateModule();
  ASSERT_NE(created, nullptr);
  if (IsFindFile()) {
    CFindFileEdit* combo = nullptr;
    CFindFileListCtrl* listObject = nullptr;
    ASSERT_TRUE(Entry<InitFindFileDialogFn>(kInitFindFileDialog)(
        dialogWindow, kind.dialogId, &combo, &listObject, sourceWordAt, keyArrayAt));
    ASSERT_TRUE(combo != nullptr && listObject != nullptr);
  } else {
    if (tagArray.tags == nullptr) tagArray.tags = tags.data();
    CFindTagEdit* parentCombo = nullptr;
    CFindTagEdit* tagCombo = nullptr;
    CFindTagListCtrl* listObject = nullptr;
    ASSERT_TRUE(Entry<InitFindTagDialogFn>(kInitFindTagDialog)(
        dialogWindow, kind.dialogId, &parentCombo, &tagCombo, &listObject, tagArrayAt));
    ASSERT_TRUE(parentCombo != nullptr && tagCombo != nullptr && listObject != nullptr);
  }
  open = true;
  SetRows(rows);
}

bool FindDialogTest::Close() {
  open = false;
  return IsFindFile() ? Entry<CloseFindFileDialogFn>(kCloseFindFileDialog)()
                      : Entry<CloseFindTagDialogFn>(kCloseFindTagDialog)();
}

void FindDialogTest::SetRows(int rows) {
  ::SendMessageA(list, LVM_SETITEMCOUNT, static_cast<WPARAM>(rows), 0);
  PumpMessages();
  dialog.ClearReceived();
}

void FindDialogTest::AddHistory(std::size_t combo, const std::string& text) {
  Entry<AddHistoryFn>(kind.addEntries.at(combo))(text.c_str());
}

int FindDialogTest::RefreshRequests(int comboId) const {
  int count = 0;
  for (const DialogMessage& m : dialog.Received()) {
    if (m.message == WM_USER + 1 && m.wParam == WPARAM(comboId) && m.lParam == 0) ++count;
  }
  return count;
}

}  // namespace tolvane::testing
