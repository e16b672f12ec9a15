#include "history/history_profile.h"

#include <gtest/gtest.h>

#include "support/fake_profile.h"

namespace tolvane {
namespace {

using testing::FakeProfile;
using Items = std::vector<std::string>;

TEST(HistoryProfile, AllThreeGoInTableOrderBothWays) {
  FakeProfile profile;
  profile.SetString("Config", "FilenameEditList", "f1|f2|");
  profile.SetString("Config", "TagParentEditList", "p|");
  HistoryLists lists;
  lists.tag.Append("stale");
  LoadAllHistories(profile, LeadBytes(), lists);
  EXPECT_EQ(lists.filename.Items(), (Items{"f1", "f2"}));
  EXPECT_EQ(lists.tagParent.Items(), (Items{"p"}));
  EXPECT_TRUE(lists.tag.Empty());  // a missing value gives an empty list
  const Items order{"FilenameEditList", "TagParentEditList", "TagEditList"};
  EXPECT_EQ(profile.KeysOf(FakeProfile::Op::kGetString), order);

  lists.tag.Append("t2");
  lists.tagParent.Clear();
  SaveAllHistories(profile, lists);
  EXPECT_EQ(profile.KeysOf(FakeProfile::Op::kWriteString), order);
  EXPECT_EQ(profile.StringAt("Config", "TagEditList"), "t2|");
  EXPECT_EQ(profile.StringAt("Config", "TagParentEditList"), "");
}

TEST(HistoryProfile, AValueThatCannotBeReadIsNeverWrittenOver) {
  FakeProfile profile;
  profile.SetInt("Config", "TagEditList", 7);  // there, but not a string
  profile.SetString("Config", "FilenameEditList", "f|");
  HistoryLists lists;
  LoadAllHistories(profile, LeadBytes(), lists);
  EXPECT_TRUE(lists.tag.Empty());
  lists.tag.Append("new");
  lists.filename.Append("g");
  SaveAllHistories(profile, lists);
  EXPECT_EQ(profile.IntAt("Config", "TagEditList"), 7);
  EXPECT_EQ(profile.StringAt("Config", "FilenameEditList"), "f|g|");

  profile.SetString("Config", "TagEditList", "readable|");  // readable again at the next load
  LoadAllHistories(profile, LeadBytes(), lists);
  SaveAllHistories(profile, lists);
  EXPECT_EQ(profile.StringAt("Config", "TagEditList"), "readable|");
}

}  // namespace
}  // namespace tolvane
