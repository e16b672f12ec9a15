// The four file-list services the operation table exposes, over a file-list state of its own.
#include "filelist/file_list_entries.h"

#include <gtest/gtest.h>

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
  FileListState state{.workspace = &workspace, .fileSystem = &fs};
};

TEST_F(FileListEntries, SaveSetLoadGetCarriesTheListThroughTheFile) {
  FileEntryList host;
  host.Append(FileEntry{"one.cpp", 1});
  host.Append(FileEntry{"two.h", 2});
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
  EXPECT_EQ(back.head->entry.name, "one.cpp");
  EXPECT_EQ(back.tail->entry.flags, 2);
}

TEST_F(FileListEntries, AFailedSaveIsReportedAsAFailure) {
  fs.Fail(testing::FileFault::kRename);
  EXPECT_FALSE(SaveFileList(state));
  EXPECT_FALSE(FileExists(workspace.FileListPath()));
}

TEST_F(FileListEntries, WithoutAWorkspaceNothingIsReadOrWritten) {
  state.workspace = nullptr;
  FileEntryList host;
  host.Append(FileEntry{"kept", 1});
  SetFileList(state, &host);
  EXPECT_FALSE(SaveFileList(state));
  EXPECT_FALSE(LoadFileList(state, true));
  EXPECT_EQ(state.list.count, 1u);
  EXPECT_TRUE(fs.operations.empty());
}

}  // namespace
}  // namespace tolvane
