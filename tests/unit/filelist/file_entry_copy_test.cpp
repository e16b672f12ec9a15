// Copying lists between host and module: GetFileList and SetFileList.
#include "filelist/file_entry_copy.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "filelist/file_list_entries.h"
#include "filelist/file_list_state.h"

namespace tolvane {
namespace {

using Entries = std::vector<std::pair<std::string, int>>;

Entries Contents(const FileEntryList& list) {
  Entries entries;
  for (const FileEntry& entry : list) entries.emplace_back(entry.name, entry.flags);
  return entries;
}

void Fill(FileEntryList& list, const Entries& entries) {
  for (const auto& [name, flags] : entries) list.Append(FileEntry{name, uint8_t(flags)});
}

class ModuleFileList : public ::testing::Test {
 protected:
  void TearDown() override { ReleaseFileList(); }
  FileEntryList& module() { return TheFileListState().list; }
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
  SetFileList(&host);
  EXPECT_EQ(Contents(module()), (Entries{{"a.cpp", 1}, {"", 2}, {"dir\\b.h", 0}}));
  EXPECT_EQ(Contents(host), (Entries{{"a.cpp", 0xFD}, {"", 2}, {"dir\\b.h", 0x80}}));

  FileEntryList back(3);
  Fill(back, {{"old1", 1}, {"old2", 1}, {"old3", 1}, {"old4", 1}});
  GetFileList(&back);
  EXPECT_EQ(Contents(back), Contents(module()));
  EXPECT_EQ(back.blockSize, 3);  // the caller's own pool and block size
}

TEST_F(ModuleFileList, GetThenSetWithTheSameListLeavesTheModuleListUnchanged) {
  FileEntryList host;
  Fill(host, {{"x", 3}, {"y", 0}});
  SetFileList(&host);
  FileEntryList copy;
  GetFileList(&copy);
  SetFileList(&copy);
  EXPECT_EQ(Contents(module()), (Entries{{"x", 3}, {"y", 0}}));
}

TEST_F(ModuleFileList, EmptySourcesLeaveEmptyListsWithNoBlocks) {
  FileEntryList host;
  Fill(module(), {{"a", 1}});
  SetFileList(&host);
  EXPECT_EQ(module().count, 0u);
  EXPECT_EQ(module().blocks, nullptr);

  Fill(host, {{"b", 1}, {"c", 1}});
  GetFileList(&host);
  EXPECT_EQ(host.count, 0u);
  EXPECT_EQ(host.blocks, nullptr);
  EXPECT_EQ(host.freeNodes, nullptr);
}

TEST_F(ModuleFileList, NullListsAreIgnored) {
  Fill(module(), {{"kept", 1}});
  GetFileList(nullptr);
  SetFileList(nullptr);
  EXPECT_EQ(Contents(module()), (Entries{{"kept", 1}}));
}

TEST(CopyFileEntries, CopyingAListOntoItselfKeepsIt) {
  FileEntryList list;
  Fill(list, {{"same", 2}});
  CopyFileEntries(list, list);
  EXPECT_EQ(Contents(list), (Entries{{"same", 2}}));
}

}  // namespace
}  // namespace tolvane
