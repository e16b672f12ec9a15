#include "history/history_profile.h"

#include <gtest/gtest.h>

#include "support/fake_profile.h"

namespace tolvane {
namespace {

using testing::FakeProfile;
using Items = std::vector<std::string>;

TEST(HistoryProfile, SaveWritesTheStoredFormUnderConfig) {
  FakeProfile profile;
  SaveHistory(profile, "TagEditList", HistoryList{"a", "b"});
  EXPECT_EQ(profile.StringAt("Config", "TagEditList"), "a|b|");
  SaveHistory(profile, "TagEditList", HistoryList{});
  EXPECT_EQ(profile.StringAt("Config", "TagEditList"), "");
}

TEST(HistoryProfile, LoadReplacesTheListAndMissingValueGivesEmpty) {
  FakeProfile profile;
  HistoryList list{"stale"};
  LoadHistory(profile, "FilenameEditList", list);
  EXPECT_TRUE(list.Empty());
  ASSERT_EQ(profile.calls.size(), 1u);
  EXPECT_EQ(profile.calls[0].section, "Config");
  EXPECT_EQ(profile.calls[0].text, "");  // the default

  profile.SetString("Config", "FilenameEditList", "x||y");
  LoadHistory(profile, "FilenameEditList", list);
  EXPECT_EQ(list.Items(), (Items{"x", "", "y"}));
}

TEST(HistoryProfile, AllThreeGoInTableOrderBothWays) {
  FakeProfile profile;
  profile.SetString("Config", "FilenameEditList", "f1|f2|");
  profile.SetString("Config", "TagParentEditList", "p|");
  profile.SetString("Config", "TagEditList", "t|");
  HistoryLists lists;
  LoadAllHistories(profile, lists);
  EXPECT_EQ(lists.filename.Items(), (Items{"f1", "f2"}));
  EXPECT_EQ(lists.tagParent.Items(), (Items{"p"}));
  EXPECT_EQ(lists.tag.Items(), (Items{"t"}));
  const Items order{"FilenameEditList", "TagParentEditList", "TagEditList"};
  EXPECT_EQ(profile.KeysOf(FakeProfile::Op::kGetString), order);

  lists.tag.Append("t2");
  SaveAllHistories(profile, lists);
  EXPECT_EQ(profile.KeysOf(FakeProfile::Op::kWriteString), order);
  EXPECT_EQ(profile.StringAt("Config", "TagEditList"), "t|t2|");
  EXPECT_EQ(profile.StringAt("Config", "TagParentEditList"), "p|");
}

}  // namespace
}  // namespace tolvane
