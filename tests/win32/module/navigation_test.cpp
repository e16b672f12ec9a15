// Entries 13 and 14 of the real module against the fake IDE: the jump by line, the search by
// pattern, the real message box for a tag that cannot be found, the last tag, and the balance
// of automation references.
#include <map>
#include <string>

#include "harness/message_box_closer.h"
#include "module/module_fixture.h"
#include "support/fake_records.h"

namespace tolvane::testing {
namespace {

class Navigation : public ModuleTest {
 protected:
  Navigation() {
    ide.AddFile("c:\\src\\main.cpp",
                {"#include <stdio.h>", "", "int main(void)", "{", "  return 0;", "}"});
    table = module.Create(ide.RootDispatch());
    PumpMessages();
    before = ide.ReferenceSnapshot();
  }
  ~Navigation() override { module.Destroy(table); }

  bool GoTo(HostTagRecord* tag) { return Entry<GoToTagFn>(table, kGoToTag)(tag); }
  HostTagRecord* LastTag() { return Entry<GetLastTagFn>(table, kGetLastTag)(); }
  FakeTextBuffer& Text() { return ide.File("c:\\src\\main.cpp")->text; }

  OpsTable* table = nullptr;
  std::map<std::string, long> before;
};

TEST_F(Navigation, ATagWithALineNumberIsReachedByJumpingToThatLine) {
  FakeTagRecord tag;
  tag.name = "main";
  tag.fileName = "c:\\src\\main.cpp";
  tag.line = 5;
  tag.pattern = "/^never searched$/";

  EXPECT_TRUE(GoTo(&tag));

  EXPECT_EQ(Text().Caret(), (TextPosition{5, 1}));
  EXPECT_EQ(Text().SelectedText(), "  return 0;");
  EXPECT_EQ(Text().ShownLine(), 5);
  EXPECT_TRUE(Text().ShownCentered());
  EXPECT_FALSE(ide.Called("Selection(c:\\src\\main.cpp).FindText(never searched, 0x4)"));
  EXPECT_EQ(LastTag(), &tag);
  EXPECT_EQ(ide.ReferenceChangesSince(before), "");
}

TEST_F(Navigation, ATagWithoutALineIsFoundByItsPatternFromTheTop) {
  FakeTagRecord tag;
  tag.name = "main";
  tag.fileName = "c:\\src\\main.cpp";
  tag.pattern = "^int main(void)$";

  EXPECT_TRUE(GoTo(&tag));

  EXPECT_TRUE(ide.Called("Selection(c:\\src\\main.cpp).FindText(int main(void), 0x4)"));
  EXPECT_EQ(Text().Caret(), (TextPosition{3, 1}));
  EXPECT_EQ(Text().SelectedText(), "int main(void)");
  EXPECT_EQ(LastTag(), &tag);
  EXPECT_EQ(ide.ReferenceChangesSince(before), "");
}

TEST_F(Navigation, ATagThatCannotBeFoundIsReportedInAMessageBoxAndTheLastTagStays) {
  FakeTagRecord found;
  found.fileName = "c:\\src\\main.cpp";
  found.line = 1;
  ASSERT_TRUE(GoTo(&found));
  FakeTagRecord missing;
  missing.name = "foo";
  missing.fileName = "c:\\src\\main.cpp";
  missing.pattern = "^int foo(void)$";

  MessageBoxCloser closer;
  EXPECT_FALSE(GoTo(&missing));

  ASSERT_EQ(closer.Texts().size(), 1u);
  EXPECT_EQ(closer.Texts()[0].rfind("Unable to find foo.  Please save all files and refresh the "
                                    "tags.",
                                    0),
            0u)
      << closer.Texts()[0];
  EXPECT_EQ(LastTag(), &found);
  EXPECT_EQ(ide.ReferenceChangesSince(before), "");
}

TEST_F(Navigation, AFileThatDoesNotOpenForgetsTheLastTag) {
  FakeTagRecord found;
  found.fileName = "c:\\src\\main.cpp";
  found.line = 2;
  ASSERT_TRUE(GoTo(&found));
  FakeTagRecord elsewhere;
  elsewhere.fileName = "c:\\src\\absent.cpp";
  elsewhere.line = 1;

  EXPECT_FALSE(GoTo(&elsewhere));
  EXPECT_EQ(LastTag(), nullptr);
  EXPECT_EQ(ide.ReferenceChangesSince(before), "");
}

TEST_F(Navigation, LastTagIsNullAtFirstAndAfterANullTag) {
  EXPECT_EQ(LastTag(), nullptr);
  FakeTagRecord found;
  found.fileName = "c:\\src\\main.cpp";
  found.line = 1;
  ASSERT_TRUE(GoTo(&found));
  EXPECT_FALSE(GoTo(nullptr));
  EXPECT_EQ(LastTag(), nullptr);
}

TEST_F(Navigation, AfterDestructionNoRootIsHeldAndTheLastTagStays) {
  FakeTagRecord found;
  found.fileName = "c:\\src\\main.cpp";
  found.line = 1;
  ASSERT_TRUE(GoTo(&found));
  auto goTo = Entry<GoToTagFn>(table, kGoToTag);
  auto lastTag = Entry<GetLastTagFn>(table, kGetLastTag);
  module.Destroy(table);
  table = nullptr;

  EXPECT_FALSE(goTo(&found));
  EXPECT_EQ(lastTag(), &found);
  EXPECT_EQ(ide.References("Root"), 0);
}

}  // namespace
}  // namespace tolvane::testing
