// Entries 13 and 14 of the real module against the fake IDE: the real message box for a tag that
// cannot be found, and the entries after the module's destruction. How a tag is reached, and what
// becomes of the last tag, are go_to_tag_test's; the entries' ordinary use is the MSVC-ABI host's.
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
    found.fileName = "c:\\src\\main.cpp";
    found.line = 1;
  }
  ~Navigation() override { module.Destroy(table); }

  bool GoTo(HostTagRecord* tag) { return Entry<GoToTagFn>(table, kGoToTag)(tag); }
  HostTagRecord* LastTag() { return Entry<GetLastTagFn>(table, kGetLastTag)(); }

  OpsTable* table = nullptr;
  std::map<std::string, long> before;
  FakeTagRecord found;  // a tag the editor can reach
};

TEST_F(Navigation, ATagThatCannotBeFoundIsReportedInAMessageBoxAndTheLastTagStays) {
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

TEST_F(Navigation, AfterDestructionNoRootIsHeldAndTheLastTagStays) {
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
