// The fake IDE and wide strings a navigation test drives, and the check every such test ends
// with: whatever happened, every reference and every string taken was given back.
#pragma once

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "support/fake_ide.h"
#include "support/fake_wide_strings.h"

namespace tolvane::testing {

class IdeFixture : public ::testing::Test {
 protected:
  // Adds the file the test works in and counts references from here on.
  FakeFile& Start(const std::string& name, const std::vector<std::string>& lines) {
    FakeFile& file = ide_.AddFile(name, lines);
    before_ = ide_.ReferenceSnapshot();
    return file;
  }
  void TearDown() override {
    EXPECT_EQ(ide_.ReferenceChangesSince(before_), "");
    EXPECT_EQ(ide_.Registry().OverReleases(), 0);
    EXPECT_EQ(strings_.Live(), 0);
    EXPECT_EQ(strings_.BadFrees(), 0);
  }

  FakeIde ide_;
  FakeWideStrings strings_;
  std::map<std::string, long> before_;
};

}  // namespace tolvane::testing
