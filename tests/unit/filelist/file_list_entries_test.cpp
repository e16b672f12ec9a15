// The four file-list services the operation table exposes, over a file-list state of its own:
// GetFileList and SetFileList copy between the host's lists and the module's, SaveFileList and
// LoadFileList carry the module's list through the file.
#include "filelist/file_list_entries.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "filelist/file_entry_ops.h"
#include "support/fake_workspace.h"
#include "support/faulty_file_system.h"
#include "support/file_entry_list_checks.h"
#include "support/temp_directory.h"

namespace tolvane {
namespace {

using testing::Entries;
using testing::FakeWorkspace;
using testing::FileExists;
using EntryList = std::vector<std::pair<std::string, uint8_t>>;

void Fill(FileEntryList& list, const EntryList& entries) {
  for (const auto& [name, flags] : entries) AppendEntry(list, name, flags);
}

class FileListEntries : public ::testing::Test {
 protected:
  void SetUp() override {
    state.workspace = &workspace;
    state.fileSystem = &fs;
  }
  FileEntryList& module() { return state.list; }

  testing::TempDirectory dir;
  FakeWorkspace workspace{dir.File("entries.tvef")};
  testing::FaultyFileSystem fs{NativeFileSystem()};
  FileListState state;
};

TEST_F(FileListEntries, SetThenGetGivesTheSameEntriesWithBitsZeroAndOne) {
  FileEntryList host(4);
  Fill(host, {{"a.cpp", 1}, {"", 2}, {"dir\\b.h", 0}});
  // A host's own nodes may carry any byte; only bits 0 and 1 may cross.
  host.head->entry.flags = 0xFD;
  host.tail->entry.flags = 0x80;
  SetFileList(state, &host);
  EXPECT_EQ(Entries(module()), (EntryList{{"a.cpp", 1}, {"", 2}, {"dir\\b.h", 0}}));
  EXPECT_EQ(Entries(host), (EntryList{{"a.cpp", 0xFD}, {"", 2}, {"dir\\b.h", 0x80}}));

  FileEntryList back(3);
  Fill(back, {{"old1", 1}, {"old2", 1}, {"old3", 1}, {"old4", 1}});
  GetFileList(state, &back);
  EXPECT_EQ(Entries(back), Entries(module()));
  EXPECT_EQ(back.blockSize, 3);  // the caller's own pool and block size
}

TEST_F(FileListEntries, GetThenSetWithTheSameListLeavesTheModuleListUnchanged) {
  FileEntryList host;
  Fill(host, {{"x", 3}, {"y", 0}});
  SetFileList(state, &host);
  FileEntryList copy;
  GetFileList(state, &copy);
  SetFileList(state, &copy);
  EXPECT_EQ(Entries(module()), (EntryList{{"x", 3}, {"y", 0}}));

  CopyFileEntries(copy, copy);  // onto itself
  EXPECT_EQ(Entries(copy), (EntryList{{"x", 3}, {"y", 0}}));
}

TEST_F(FileListEntries, EmptySourcesLeaveEmptyListsWithNoBlocksAndNullListsAreIgnored) {
  FileEntryList host;
  Fill(module(), {{"a", 1}});
  SetFileList(state, &host);
  EXPECT_EQ(module().count, 0u);
  EXPECT_EQ(module().blocks, nullptr);

  Fill(host, {{"b", 1}, {"c", 1}});
  GetFileList(state, &host);
  EXPECT_EQ(host.count, 0u);
  EXPECT_EQ(host.blocks, nullptr);
  EXPECT_EQ(host.freeNodes, nullptr);

  Fill(module(), {{"kept", 1}});
  GetFileList(state, nullptr);
  SetFileList(state, nullptr);
  EXPECT_EQ(Entries(module()), (EntryList{{"kept", 1}}));
}

TEST_F(FileListEntries, SaveSetLoadGetCarriesTheListThroughTheFile) {
  FileEntryList host;
  Fill(host, {{"one.cpp", 1}, {"two.h", 2}});
  SetFileList(state, &host);
  ASSERT_TRUE(SaveFileList(state));

  FileEntryList empty;
  SetFileList(state, &empty);
  workspace.entrySet.Add("two.h", false, false);
  ASSERT_TRUE(LoadFileList(state, true));
  EXPECT_TRUE(workspace.entrySet.at("two.h").second);

  FileEntryList back;
  GetFileList(state, &back);
  EXPECT_EQ(Entries(back), (EntryList{{"one.cpp", 1}, {"two.h", 2}}));
}

TEST_F(FileListEntries, AFailedSaveIsReportedAsAFailure) {
  fs.Fail(testing::FileFault::kRename);
  EXPECT_FALSE(SaveFileList(state));
  EXPECT_FALSE(FileExists(workspace.FileListPath()));
}

TEST_F(FileListEntries, WithoutAWorkspaceOrItsPathNothingIsReadOrWritten) {
  FileEntryList host;
  Fill(host, {{"kept", 1}});
  SetFileList(state, &host);
  workspace.hasPath = false;  // operation 6 gives null
  EXPECT_FALSE(SaveFileList(state));
  EXPECT_FALSE(LoadFileList(state, true));
  state.workspace = nullptr;
  EXPECT_FALSE(SaveFileList(state));
  EXPECT_FALSE(LoadFileList(state, true));
  EXPECT_EQ(module().count, 1u);
  EXPECT_TRUE(fs.operations.empty());
}

}  // namespace
}  // namespace tolvane
