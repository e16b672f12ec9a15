// CComboBoxEx's items against a real combo box, through the adapter the history lists use. The
// list and combo classes' other operations are one message each; the Find dialog tests use every
// one of them on real controls.
#include <gtest/gtest.h>

#include <string>

#include "framework/combo_box_ex.h"
#include "framework/combo_box_items.h"
#include "harness/test_dialog.h"

namespace tolvane {
namespace {

using testing::TestDialog;

// Items stay in the order given (no sorting), empty ones included, and an index past the end
// reads as empty.
TEST(ComboBoxItems, DriveTheDropDownListInPlace) {
  TestDialog dialog;
  dialog.AddCombo(1021);
  CComboBoxEx combo;
  ASSERT_TRUE(combo.AttachToDialogItem(dialog.Handle(), 1021));
  ComboBoxItems items(combo);
  items.Add("zeta");
  items.Add("");
  items.Add("alpha");
  items.Insert(0, "first");
  items.Delete(2);
  ASSERT_EQ(items.Count(), 3);
  EXPECT_EQ(items.Text(0), "first");
  EXPECT_EQ(items.Text(1), "zeta");
  EXPECT_EQ(items.Text(2), "alpha");
  EXPECT_EQ(items.Text(5), "");
  items.Insert(1, "");
  EXPECT_EQ(items.Text(1), "");
  EXPECT_EQ(items.Text(2), "zeta");
}

}  // namespace
}  // namespace tolvane
