// Copying lists between host and module: GetFileList and SetFileList.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "filelist/file_entry_ops.h"
#include "filelist/file_list_entries.h"
#include "support/file_entry_list_checks.h"

namespace tolvane {
namespace {

using EntryList = std::vector<std::pair<std::string, uint8_t>>;
using testing::Entries;

void Fill(FileEntryList& list, const EntryList& entries) {
  for (const auto& [name, flags] : entries) AppendEntry(list, name, flags);
}

class ModuleFileList : public ::testing::Test {
 protected:
  FileListState state;
  FileEntryList& module() { return state.list; }
};

TEST_F(ModuleFileList, StartsEmptyWithBlockSizeTen) {
  EXPECT_EQ(module().count, 0u);
  EXPECT_EQ(module().blockSize, 10);
}

TEST_F(ModuleFileList, SetThenGetGivesTheSameEntriesWithBitsZeroAndOne) {
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

TEST_F(ModuleFileList, GetThenSetWithTheSameListLeavesTheModuleListUnchanged) {
  FileEntryList host;
  Fill(host, {{"x", 3}, {"y", 0}});
  SetFileList(state, &host);
  FileEntryList copy;
  GetFileList(state, &copy);
  SetFileList(state, &copy);
  EXPECT_EQ(Entries(module()), (EntryList{{"x", 3}, {"y", 0}}));
}

TEST_F(ModuleFileList, EmptySourcesLeaveEmptyListsWithNoBlocks) {
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
}

TEST_F(ModuleFileList, NullListsAreIgnored) {
  Fill(module(), {{"kept", 1}});
  GetFileList(state, nullptr);
  SetFileList(state, nullptr);
  EXPECT_EQ(Entries(module()), (EntryList{{"kept", 1}}));
}

TEST(CopyFileEntries, CopyingAListOntoItselfKeepsIt) {
  FileEntryList list;
  Fill(list, {{"same", 2}});
  CopyFileEntries(list, list);
  EXPECT_EQ(Entries(list), (EntryList{{"same", 2}}));
}

}  // namespace
}  // namespace tolvane
