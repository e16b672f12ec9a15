#include <gtest/gtest.h>

#include "finddlg/column_widths.h"

namespace tolvane {
namespace {

TEST(LayoutSection, AlwaysEightLowercaseHexDigits) {
  EXPECT_EQ(LayoutSection(1000), "WindowPositions\\ID=0x000003e8");
  EXPECT_EQ(LayoutSection(0), "WindowPositions\\ID=0x00000000");
  EXPECT_EQ(LayoutSection(15), "WindowPositions\\ID=0x0000000f");
  EXPECT_EQ(LayoutSection(0xABCDEF12u), "WindowPositions\\ID=0xabcdef12");
  EXPECT_EQ(LayoutSection(0xFFFFFFFFu), "WindowPositions\\ID=0xffffffff");
}

}  // namespace
}  // namespace tolvane
