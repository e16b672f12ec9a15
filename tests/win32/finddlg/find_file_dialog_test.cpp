// Opening and closing the Find File dialog through entries 1 and 2: the list's style and
// columns, the widths remembered per dialog, and the history in the combo box.
#include <windows.h>

// needs windows.h first
#include <commctrl.h>
#include <gtest/gtest.h>

#include "find_dialog_fixtures.h"
#include "key_recorder.h"
#include "keyboard.h"

namespace tolvane::testing {
namespace {

using Items = std::vector<std::string>;

int AvailableWidth(HWND list) {
  RECT client{};
  ::GetClientRect(list, &client);
  return client.right - ::GetSystemMetrics(SM_CXVSCROLL);
}

int Share(int width, double share) {
  return static_cast<int>(width * share);
}

class FindFileDialog : public FindFileTest {};

TEST_F(FindFileDialog, FirstOpenAddsGridAndFullRowSelectionAndTheDefaultColumns) {
  AddControls();
  ::SendMessageA(list, LVM_SETEXTENDEDLISTVIEWSTYLE, 0, LVS_EX_HEADERDRAGDROP);
  const int available = AvailableWidth(list);
  Init();

  EXPECT_EQ(::SendMessageA(list, LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0),
            LVS_EX_HEADERDRAGDROP | LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT);
  const std::vector<ListColumn> columns = Columns(list);
  ASSERT_EQ(columns.size(), 2u);
  EXPECT_EQ(columns[0].heading, "Filename");
  EXPECT_EQ(columns[1].heading, "Path");
  EXPECT_EQ(columns[0].format, LVCFMT_LEFT);
  EXPECT_EQ(columns[1].format, LVCFMT_LEFT);
  EXPECT_EQ(columns[0].width, Share(available, 0.33));
  EXPECT_EQ(columns[1].width, Share(available, 0.67));
}

TEST_F(FindFileDialog, StoredWidthsBelowOneAreReplacedAndOneIsKept) {
  const std::string section = WidthSection(kFindFileDialogId);
  WriteProfileInt(section, "Sub1", 0);
  WriteProfileInt(section, "Sub2", -40);
  AddControls();
  const int available = AvailableWidth(list);
  Init();
  std::vector<ListColumn> columns = Columns(list);
  ASSERT_EQ(columns.size(), 2u);
  EXPECT_EQ(columns[0].width, Share(available, 0.33));
  EXPECT_EQ(columns[1].width, Share(available, 0.67));
  ASSERT_TRUE(Close());

  WriteProfileInt(section, "Sub1", 1);
  WriteProfileInt(section, "Sub2", 1);
  AddControls();
  Init();
  columns = Columns(list);
  ASSERT_EQ(columns.size(), 2u);
  EXPECT_EQ(columns[0].width, 1);
  EXPECT_EQ(columns[1].width, 1);
}

TEST_F(FindFileDialog, CloseSavesTheWidthsTheListReportsUnderItsOwnDialog) {
  WriteProfileInt(WidthSection(kFindFileDialogId + 1), "Sub1", 123);
  Open();
  ::SendMessageA(list, LVM_SETCOLUMNWIDTH, 0, 77);
  ::SendMessageA(list, LVM_SETCOLUMNWIDTH, 1, 155);

  ASSERT_TRUE(Close());

  EXPECT_EQ(ReadProfileInt(WidthSection(kFindFileDialogId), "Sub1"), 77);
  EXPECT_EQ(ReadProfileInt(WidthSection(kFindFileDialogId), "Sub2"), 155);
  EXPECT_EQ(ReadProfileInt(WidthSection(kFindFileDialogId + 1), "Sub1"), 123);

  AddControls();
  Init();
  const std::vector<ListColumn> columns = Columns(list);
  ASSERT_EQ(columns.size(), 2u);
  EXPECT_EQ(columns[0].width, 77);
  EXPECT_EQ(columns[1].width, 155);
}

TEST_F(FindFileDialog, HistoryFillsTheComboInOrderAndComesBackAtClose) {
  WriteProfileString("Config", "FilenameEditList", "one|two|three|");
  CreateModule();
  Open();
  EXPECT_EQ(ComboItems(combo), (Items{"one", "two", "three"}));

  ASSERT_TRUE(Close());
  DestroyModule();
  EXPECT_EQ(ReadProfileString("Config", "FilenameEditList"), "one|two|three|");
}

TEST_F(FindFileDialog, TextsAddedWhileOpenArePersistedByTheClose) {
  WriteProfileString("Config", "FilenameEditList", "one|two|");
  CreateModule();
  Open();
  auto add = Entry<AddFilenameHistoryFn>(kAddFilenameHistory);
  add("two");
  add("three");
  add("three");
  EXPECT_EQ(ComboItems(combo), (Items{"three", "two", "one", "two"}));

  ASSERT_TRUE(Close());
  DestroyModule();
  EXPECT_EQ(ReadProfileString("Config", "FilenameEditList"), "three|two|one|two|");
}

TEST_F(FindFileDialog, CloseDestroysTheControlsAndLaterCallsDoNothing) {
  WriteProfileString("Config", "FilenameEditList", "one|");
  CreateModule();
  Open();
  ASSERT_TRUE(Close());
  EXPECT_FALSE(::IsWindow(list));
  EXPECT_FALSE(::IsWindow(combo));

  // A stray history add or second close neither touches a control nor writes anything.
  const std::string section = WidthSection(kFindFileDialogId);
  WriteProfileInt(section, "Sub1", 11);
  Entry<AddFilenameHistoryFn>(kAddFilenameHistory)("late");
  EXPECT_TRUE(Close());
  EXPECT_EQ(ReadProfileInt(section, "Sub1"), 11);
  DestroyModule();
  EXPECT_EQ(ReadProfileString("Config", "FilenameEditList"), "one|");
}

// Opened again without a close: the earlier controls stay the host's, no longer steered, and
// what their combo held is not lost.
TEST_F(FindFileDialog, OpeningAgainWithoutACloseLetsGoOfTheEarlierControls) {
  CreateModule();
  MakeFiles(5);
  Open(5);
  HWND firstList = list;
  HWND firstCombo = combo;
  Entry<AddFilenameHistoryFn>(kAddFilenameHistory)("kept");

  TestDialog second;
  HWND secondList = nullptr;
  {
    list = second.AddList(1020, LVS_OWNERDATA);
    combo = second.AddCombo(1021);
    secondList = list;
    auto init = Entry<InitFindFileDialogFn>(kInitFindFileDialog);
    ASSERT_TRUE(init(second.Handle(), kFindFileDialogId, &comboObject, &listObject, &sourceWord,
                     &keyArray));
  }
  EXPECT_TRUE(::IsWindow(firstList));
  EXPECT_EQ(ComboItems(combo), (Items{"kept"}));

  KeyRecorder firstListKeys(firstList);
  SetRowState(firstList, 0, LVIS_SELECTED | LVIS_FOCUSED);
  PostKeyDown(EditOf(firstCombo), VK_DOWN);
  PumpMessages();
  EXPECT_EQ(firstListKeys.KeyDowns(), std::vector<WPARAM>{});
  ASSERT_TRUE(Close());
  EXPECT_FALSE(::IsWindow(secondList));
}

}  // namespace
}  // namespace tolvane::testing
