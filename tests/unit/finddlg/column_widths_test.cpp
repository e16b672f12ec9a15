#include "finddlg/column_widths.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>
#include <utility>
#include <vector>

#include "finddlg/column_tables.h"
#include "support/fake_profile.h"

namespace tolvane {
namespace {

using testing::FakeProfile;
using Widths = std::vector<int32_t>;

constexpr uint32_t kDialog = 1000;
const std::string kSection = "WindowPositions\\ID=0x000003e8";

Widths LoadFile(FakeProfile& profile, int32_t width) {
  return LoadColumnWidths(profile, kDialog, width, FindFileColumnRules());
}
Widths LoadTag(FakeProfile& profile, int32_t width) {
  return LoadColumnWidths(profile, kDialog, width, FindTagColumnRules());
}

TEST(LayoutSection, EightLowercaseHexDigitsOfTheDialogIdentifier) {
  EXPECT_EQ(LayoutSection(1000), "WindowPositions\\ID=0x000003e8");
  EXPECT_EQ(LayoutSection(0), "WindowPositions\\ID=0x00000000");
  EXPECT_EQ(LayoutSection(0xABCDEF12u), "WindowPositions\\ID=0xabcdef12");
  EXPECT_EQ(LayoutSection(0xFFFFFFFFu), "WindowPositions\\ID=0xffffffff");
}

TEST(WidthRule, TruncatesTowardZeroInDoublePrecision) {
  EXPECT_EQ(ShareOfWidth(0.33).Evaluate(101, 0), 33);
  EXPECT_EQ(ShareOfWidth(0.67).Evaluate(101, 0), 67);
  EXPECT_EQ(ShareOfWidth(0.33).Evaluate(-5, 0), -1);
  EXPECT_EQ(ShareOfWidth(0.67).Evaluate(400, 0), 268);  // 267.99999999999997 in doubles
  EXPECT_EQ(ShareOfRest(0.25).Evaluate(500, 50), 112);
  EXPECT_EQ(ShareOfRest(0.5).Evaluate(10, 50), -20);
  EXPECT_EQ(Fixed(400).Evaluate(-99, 7), 400);
}

TEST(WidthRule, HostileStoredWidthsNeitherOverflowNorWrap) {
  constexpr int32_t kMin = std::numeric_limits<int32_t>::min();
  constexpr int32_t kMax = std::numeric_limits<int32_t>::max();
  EXPECT_EQ(ShareOfRest(0.5).Evaluate(kMax, kMin), kMax);  // (2^32 - 1) / 2 truncated
  EXPECT_EQ(ShareOfRest(0.25).Evaluate(kMin, kMax), -1073741823);
  EXPECT_EQ(ShareOfRest(0.25).Evaluate(500, kMin), 536871037);
  // Shares the tables do not use yet saturate at both ends.
  EXPECT_EQ(ShareOfRest(1.0).Evaluate(kMin, kMax), kMin);
  EXPECT_EQ(ShareOfWidth(2.0).Evaluate(kMin, 0), kMin);
  EXPECT_EQ(ShareOfWidth(2.0).Evaluate(kMax, 0), kMax);
}

// A stored width above zero is used as it is; any other is replaced by its column's rule. The
// defaults measure the rest from column 0 as read, the replacements from its settled width.
TEST(LoadColumnWidths, StoredWidthsDefaultsAndReplacements) {
  const struct {
    const char* what;
    bool tagDialog;
    int32_t available;
    std::vector<std::pair<const char*, int32_t>> stored;
    Widths expected;
  } cases[] = {
      {"file dialog, first open", false, 400, {}, {132, 268}},
      {"tag dialog, first open", true, 500, {}, {50, 112, 112, 225, 100, 400}},
      {"file dialog, first open, narrow", false, 3, {}, {0, 2}},
      {"stored values used", false, 400, {{"Sub1", 77}, {"Sub2", 0}}, {77, 268}},
      {"1 is usable as it is", false, 400, {{"Sub1", -5}, {"Sub2", 1}}, {132, 1}},
      {"stored zero first column: defaults from the full width",
       true,
       500,
       {{"Sub1", 0}},
       {50, 125, 125, 250, 100, 400}},
      {"replacements from the settled first column",
       true,
       500,
       {{"Sub1", -3}, {"Sub1_5", 0}, {"Sub2", -1}, {"Sub3", 1}, {"Sub4", 0}, {"Sub5", -400}},
       {50, 112, 112, 1, 100, 400}},
      {"a wide first column leaves negative shares, passed on unclamped",
       true,
       500,
       {{"Sub1", 600}},
       {600, -25, -25, -50, 100, 400}},
  };
  for (const auto& c : cases) {
    FakeProfile profile;
    for (const auto& [key, width] : c.stored) profile.SetInt(kSection, key, width);
    EXPECT_EQ(c.tagDialog ? LoadTag(profile, c.available) : LoadFile(profile, c.available),
              c.expected)
        << c.what;
  }
}

TEST(LoadColumnWidths, ReadsInColumnOrderWithDefaultsComputedFromColumnZeroAsRead) {
  FakeProfile profile;
  profile.SetInt(kSection, "Sub1", 100);
  LoadTag(profile, 500);
  ASSERT_EQ(profile.calls.size(), 6u);
  const char* keys[] = {"Sub1", "Sub1_5", "Sub2", "Sub3", "Sub4", "Sub5"};
  const int32_t fallbacks[] = {50, 100, 100, 200, 100, 400};  // rest = 500 - 100
  for (std::size_t i = 0; i < 6; ++i) {
    EXPECT_EQ(profile.calls[i].op, FakeProfile::Op::kGetInt);
    EXPECT_EQ(profile.calls[i].section, kSection);
    EXPECT_EQ(profile.calls[i].key, keys[i]);
    EXPECT_EQ(profile.calls[i].number, fallbacks[i]) << keys[i];
  }
}

TEST(ColumnWidths, SaveWritesEveryWidthUnclampedInColumnOrderAndLoadReadsThemBack) {
  FakeProfile profile;
  const Widths saved{60, 0, 90, -4, 120, 300};
  SaveColumnWidths(profile, kDialog, FindTagColumnRules(), saved);
  EXPECT_EQ(profile.KeysOf(FakeProfile::Op::kWriteInt),
            (std::vector<std::string>{"Sub1", "Sub1_5", "Sub2", "Sub3", "Sub4", "Sub5"}));
  EXPECT_EQ(profile.IntAt(kSection, "Sub1_5"), 0);
  EXPECT_EQ(profile.IntAt(kSection, "Sub3"), -4);
  EXPECT_EQ(LoadTag(profile, 500), (Widths{60, 110, 90, 220, 120, 300}));
}

TEST(ColumnWidths, DialogIdentifiersKeepSeparateSections) {
  FakeProfile profile;
  SaveColumnWidths(profile, 1, FindFileColumnRules(), Widths{11, 12});
  SaveColumnWidths(profile, 2, FindFileColumnRules(), Widths{21, 22});
  EXPECT_EQ(LoadColumnWidths(profile, 1, 400, FindFileColumnRules()), (Widths{11, 12}));
  EXPECT_EQ(LoadColumnWidths(profile, 2, 400, FindFileColumnRules()), (Widths{21, 22}));
  EXPECT_EQ(LoadColumnWidths(profile, 3, 400, FindFileColumnRules()), (Widths{132, 268}));
  // One identifier for both dialogs shares "Sub1" and "Sub2".
  EXPECT_EQ(LoadColumnWidths(profile, 1, 500, FindTagColumnRules())[0], 11);
}

TEST(ColumnWidths, SaveWritesOnlyWhatBothSidesHave) {
  FakeProfile profile;
  SaveColumnWidths(profile, kDialog, FindTagColumnRules(), Widths{5, 6});
  EXPECT_EQ(profile.KeysOf(FakeProfile::Op::kWriteInt),
            (std::vector<std::string>{"Sub1", "Sub1_5"}));
}

}  // namespace
}  // namespace tolvane
