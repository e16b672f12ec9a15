// The four file-list services the operation table exposes, over a file-list state of its own.
#include "filelist/file_list_entries.h"

#include <gtest/gtest.h>

#include "filelist/file_entry_ops.h"
#include "support/fake_workspace.h"
#include "support/faulty_file_system.h"
#include "support/temp_directory.h"

namespace tolvane {
namespace {

using testing::FakeWorkspace;
using testing::FileExists;

class FileListEntries : public ::testing::Test {
 protected:
  testing::TempDirectory dir;
  FakeWorkspace workspace{dir.File("entries.tvef")};
  testing::FaultyFileSystem fs{NativeFileSystem()};
  FileListState state;
  void SetUp() override {
    state.workspace = &workspace;
    state.fileSystem = &fs;
  }
};

TEST_F(FileListEntries, SaveSetLoadGetCarriesTheListThroughTheFile) {
  FileEntryList host;
  AppendEntry(host, "one.cpp", 1);
  AppendEntry(host, "two.h", 2);
  SetFileList(state, &host);
  ASSERT_TRUE(SaveFileList(state));

  FileEntryList empty;
  SetFileList(state, &empty);
  workspace.entrySet.Add("two.h", false, false);
  ASSERT_TRUE(LoadFileList(state, true));
  EXPECT_TRUE(workspace.entrySet.at("two.h").second);

  FileEntryList back;
  GetFileList(state, &back);
  ASSERT_EQ(back.count, 2u);
  EXPECT_EQ(NameOf(back.head->entry), "one.cpp");
  EXPECT_EQ(back.tail->entry.flags, 2);
}

TEST_F(FileListEntries, AFailedSaveIsReportedAsAFailure) {
  fs.Fail(testing::FileFault::kRename);
  EXPECT_FALSE(SaveFileList(state));
  EXPECT_FALSE(FileExists(workspace.FileListPath()));
}

TEST_F(FileListEntries, WithoutAWorkspaceOrItsPathNothingIsReadOrWritten) {
  FileEntryList host;
  AppendEntry(host, "kept", 1);
  SetFileList(state, &host);
  workspace.hasPath = false;  // operation 6 gives null
  EXPECT_FALSE(SaveFileList(state));
  EXPECT_FALSE(LoadFileList(state, true));
  state.workspace = nullptr;
  EXPECT_FALSE(SaveFileList(state));
  EXPECT_FALSE(LoadFileList(state, true));
  EXPECT_EQ(state.list.count, 1u);
  EXPECT_TRUE(fs.operations.empty());
}

}  // namespace
}  // namespace tolvane
