#include "find_dialog_fixtures.h"

#include <commctrl.h>

#include <string>

namespace tolvane::testing {

void FindFileTest::MakeFiles(int count) {
  for (int i = 0; i < count; ++i) {
    records.push_back(std::make_unique<FakeFileRecord>("file" + std::to_string(i), "cpp",
                                                       "C:\\src\\" + std::to_string(i)));
    const uint32_t key = static_cast<uint32_t>(i + 100);
    source.records[key] = records.back().get();
    keys.push_back(key);
  }
  keyArray.keys = keys.data();
}

void FindFileTest::AddControls(int listHeight) {
  list = dialog.AddList(1020, LVS_OWNERDATA, 360, listHeight);
  combo = dialog.AddCombo(1021);
}

void FindFileTest::Init(int rows) {
  if (created == nullptr) CreateModule();
  ASSERT_NE(created, nullptr);
  auto init = Entry<InitFindFileDialogFn>(kInitFindFileDialog);
  ASSERT_TRUE(
      init(dialog.Handle(), kFindFileDialogId, &comboObject, &listObject, &sourceWord, &keyArray));
  ASSERT_NE(comboObject, nullptr);
  ASSERT_NE(listObject, nullptr);
  open = true;
  SetRows(rows);
}

bool FindFileTest::CloseDialog() {
  open = false;
  return Entry<CloseFindFileDialogFn>(kCloseFindFileDialog)();
}

void FindFileTest::SetRows(int rows) {
  ::SendMessageA(list, LVM_SETITEMCOUNT, static_cast<WPARAM>(rows), 0);
  PumpMessages();
  dialog.ClearReceived();
}

void FindTagTest::AddControls(int listHeight) {
  list = dialog.AddList(1050, LVS_OWNERDATA, 360, listHeight);
  parentCombo = dialog.AddCombo(1051);
  tagCombo = dialog.AddCombo(1052);
}

void FindTagTest::Init(int rows) {
  if (created == nullptr) CreateModule();
  ASSERT_NE(created, nullptr);
  tagArray.tags = tags.data();
  auto init = Entry<InitFindTagDialogFn>(kInitFindTagDialog);
  ASSERT_TRUE(
      init(dialog.Handle(), kFindTagDialogId, &parentObject, &tagObject, &listObject, &tagArray));
  ASSERT_NE(parentObject, nullptr);
  ASSERT_NE(tagObject, nullptr);
  ASSERT_NE(listObject, nullptr);
  open = true;
  SetRows(rows);
}

bool FindTagTest::CloseDialog() {
  open = false;
  return Entry<CloseFindTagDialogFn>(kCloseFindTagDialog)();
}

void FindTagTest::SetRows(int rows) {
  ::SendMessageA(list, LVM_SETITEMCOUNT, static_cast<WPARAM>(rows), 0);
  PumpMessages();
  dialog.ClearReceived();
}

}  // namespace tolvane::testing
