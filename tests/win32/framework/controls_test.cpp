// CListCtrl and CComboBoxEx operations against real list-view and combo-box controls.
#include <gtest/gtest.h>

#include <string>

#include "framework/combo_box_ex.h"
#include "framework/combo_box_items.h"
#include "framework/list_ctrl.h"
#include "harness/test_dialog.h"

namespace tolvane {
namespace {

using testing::TestDialog;

class ListCtrlTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dialog.AddList(1020);
    ASSERT_TRUE(list.AttachToDialogItem(dialog.Handle(), 1020));
  }
  void AddRows(int rows) {
    for (int i = 0; i < rows; ++i) {
      std::string text = "row " + std::to_string(i);
      LVITEMA item{};
      item.mask = LVIF_TEXT;
      item.iItem = i;
      item.pszText = text.data();
      list.Send(LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));
    }
  }
  UINT StateOf(int row) {
    return static_cast<UINT>(
        list.Send(LVM_GETITEMSTATE, WPARAM(row), LVIS_SELECTED | LVIS_FOCUSED));
  }
  TestDialog dialog;
  CListCtrl list;
};

TEST_F(ListCtrlTest, ExtendedStyleBitsAreAddedWithoutLosingOthers) {
  list.SetExtendedStyle(LVS_EX_HEADERDRAGDROP);
  list.SetExtendedStyle(list.GetExtendedStyle() | 0x21);
  EXPECT_EQ(list.GetExtendedStyle() & (0x21 | LVS_EX_HEADERDRAGDROP),
            DWORD(0x21 | LVS_EX_HEADERDRAGDROP));
}

TEST_F(ListCtrlTest, ColumnsTakeTheirWidthsAndReportThemBack) {
  EXPECT_EQ(list.InsertColumn(0, "Filename", LVCFMT_LEFT, 120), 0);
  EXPECT_EQ(list.InsertColumn(1, "Path", LVCFMT_LEFT, 200), 1);
  EXPECT_EQ(list.GetColumnWidth(0), 120);
  EXPECT_EQ(list.GetColumnWidth(1), 200);
  list.Send(LVM_SETCOLUMNWIDTH, 1, MAKELPARAM(90, 0));  // as a user dragging the divider
  EXPECT_EQ(list.GetColumnWidth(1), 90);

  char heading[32] = {};
  LVCOLUMNA column{};
  column.mask = LVCF_TEXT;
  column.pszText = heading;
  column.cchTextMax = sizeof heading;
  list.Send(LVM_GETCOLUMNA, 1, reinterpret_cast<LPARAM>(&column));
  EXPECT_STREQ(heading, "Path");
}

TEST_F(ListCtrlTest, ClientRectIsTheControlsInside) {
  RECT rect = list.GetClientRect();
  EXPECT_EQ(rect.left, 0);
  EXPECT_GT(rect.right, 300);
  EXPECT_LE(rect.right, 360);
}

TEST_F(ListCtrlTest, SelectionMovesUnderAMask) {
  list.InsertColumn(0, "Name", LVCFMT_LEFT, 100);
  AddRows(10);
  EXPECT_EQ(list.GetItemCount(), 10);
  EXPECT_EQ(list.GetFirstSelectedRow(), -1);

  list.SetItemState(3, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
  EXPECT_EQ(list.GetFirstSelectedRow(), 3);

  list.SetItemState(3, 0, LVIS_SELECTED | LVIS_FOCUSED);
  list.SetItemState(9, LVIS_SELECTED, LVIS_SELECTED);
  EXPECT_EQ(StateOf(3), 0u);
  EXPECT_EQ(list.GetFirstSelectedRow(), 9);
}

TEST_F(ListCtrlTest, EnsureVisibleScrollsALateRowFullyIntoView) {
  list.InsertColumn(0, "Name", LVCFMT_LEFT, 100);
  AddRows(100);
  EXPECT_TRUE(list.EnsureVisible(99, false));
  EXPECT_GT(list.Send(LVM_GETTOPINDEX), 50);
}

TEST_F(ListCtrlTest, KeyDownMovesTheListsOwnSelection) {
  list.InsertColumn(0, "Name", LVCFMT_LEFT, 100);
  AddRows(5);
  list.SetItemState(1, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
  list.SendKeyDown(VK_DOWN, 0x00500001);
  EXPECT_EQ(list.GetFirstSelectedRow(), 2);
}

class ComboBoxTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dialog.AddCombo(1021);
    ASSERT_TRUE(combo.AttachToDialogItem(dialog.Handle(), 1021));
  }
  TestDialog dialog;
  CComboBoxEx combo;
};

TEST_F(ComboBoxTest, ItemsAreAddedInsertedReadAndDeletedInPlace) {
  combo.AddString("b");
  combo.AddString("c");
  combo.InsertString(0, "a");
  ASSERT_EQ(combo.GetCount(), 3);
  EXPECT_EQ(combo.GetLBText(0), "a");
  EXPECT_EQ(combo.GetLBText(2), "c");
  combo.DeleteString(1);
  EXPECT_EQ(combo.GetCount(), 2);
  EXPECT_EQ(combo.GetLBText(1), "c");
  EXPECT_EQ(combo.GetLBText(5), "");
}

TEST_F(ComboBoxTest, AddKeepsInsertionOrderAndEmptyItems) {
  combo.AddString("zeta");
  combo.AddString("");
  combo.AddString("alpha");
  ComboBoxItems items(combo);
  ASSERT_EQ(items.Count(), 3);
  EXPECT_EQ(items.Text(0), "zeta");
  EXPECT_EQ(items.Text(1), "");
  EXPECT_EQ(items.Text(2), "alpha");
}

TEST_F(ComboBoxTest, ItemsAdapterDrivesTheDropDownList) {
  ComboBoxItems items(combo);
  items.Add("one");
  items.Insert(0, "zero");
  items.Add("two");
  items.Delete(1);
  ASSERT_EQ(items.Count(), 2);
  EXPECT_EQ(items.Text(0), "zero");
  EXPECT_EQ(items.Text(1), "two");
}

TEST_F(ComboBoxTest, DroppedStateFollowsTheDropDownList) {
  combo.AddString("a");
  EXPECT_FALSE(combo.GetDroppedState());
  combo.Send(CB_SHOWDROPDOWN, TRUE);
  EXPECT_TRUE(combo.GetDroppedState());
  combo.Send(CB_SHOWDROPDOWN, FALSE);
  EXPECT_FALSE(combo.GetDroppedState());
}

}  // namespace
}  // namespace tolvane
