// Out of memory at each allocation of the list entries the host calls (SetFileList,
// GetFileList): a node block that cannot be had and a name that cannot be copied. Each time the
// documented std::bad_alloc reaches the caller, the destination holds the entries copied so far
// in a list that holds together, the source is untouched, and nothing is lost to a leak. The
// project export, too, lets std::bad_alloc through and leaves no project file behind.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "filelist/file_list_entries.h"
#include "filelist/project_export.h"
#include "filelist/project_fragment.h"
#include "support/fake_workspace.h"
#include "support/file_entry_list_checks.h"
#include "support/temp_directory.h"
#include "unit/reliability/counting_allocator.h"
#include "unit/reliability/open_descriptors.h"

namespace tolvane {
namespace {

using testing::Entries;
using testing::ListShapeProblem;
using EntryList = std::vector<std::pair<std::string, uint8_t>>;

// 25 entries whose names are too long for a string's inline buffer: every copy allocates.
EntryList Source() {
  EntryList entries;
  for (int i = 0; i < 25; ++i)
    entries.emplace_back("project/source/file-number-" + std::to_string(100 + i) + ".cpp",
                         uint8_t(i % 4));
  return entries;
}

void Fill(FileEntryList& list, const EntryList& entries) {
  for (const auto& [name, flags] : entries) list.Append(name, flags);
}

EntryList Prefix(const EntryList& entries, std::size_t count) {
  return EntryList(entries.begin(), entries.begin() + std::ptrdiff_t(count));
}

std::size_t BlockCount(const FileEntryList& list) {
  std::size_t blocks = 0;
  for (const FileEntryBlock* block = list.blocks; block != nullptr; block = block->previous)
    ++blocks;
  return blocks;
}

// The n-th node block of `slots` nodes from now cannot be had.
class BlockFailure {
 public:
  BlockFailure(std::size_t slots, int nth) {
    testing::FailNthAllocationOf(node_blocks::kSlotsOffset + slots * sizeof(FileEntryNode), nth);
  }
  ~BlockFailure() { testing::FailNthAllocation(0); }
  BlockFailure(const BlockFailure&) = delete;
  BlockFailure& operator=(const BlockFailure&) = delete;
};

class OutOfMemory : public ::testing::Test {
 protected:
  // A test that fails node blocks skips where they do not come through this program.
  static bool BlocksOutOfReach() { return !testing::RoutesNodeBlocks(); }
  FileListState state_;
  FileEntryList& Module() { return state_.list; }
  const EntryList source_ = Source();
  // What a copy of one of the source's names allocates: every name has the same length.
  std::size_t NameBytes() const { return source_.front().first.size() + 1; }
};

TEST_F(OutOfMemory, SetFileListAtEachNodeBlock) {
  if (BlocksOutOfReach()) GTEST_SKIP() << "node blocks come from the process heap here";
  for (int failing = 1; failing <= 3; ++failing) {  // the module's blocks hold 10 nodes
    SCOPED_TRACE("block " + std::to_string(failing));
    FileEntryList host(7);
    Fill(host, source_);
    {
      BlockFailure failure(10, failing);
      EXPECT_THROW(SetFileList(state_, &host), std::bad_alloc);
    }
    EXPECT_EQ(ListShapeProblem(Module()), "");
    EXPECT_EQ(Entries(Module()), Prefix(source_, std::size_t(10 * (failing - 1))));
    EXPECT_EQ(BlockCount(Module()), std::size_t(failing - 1));
    EXPECT_EQ(Entries(host), source_);
    SetFileList(state_, &host);  // memory back: the whole copy goes through
    EXPECT_EQ(Entries(Module()), source_);
  }
}

TEST_F(OutOfMemory, GetFileListAtEachNodeBlockOfTheHostsList) {
  if (BlocksOutOfReach()) GTEST_SKIP() << "node blocks come from the process heap here";
  FileEntryList filled(10);
  Fill(filled, source_);
  SetFileList(state_, &filled);
  for (int failing = 1; failing <= 7; ++failing) {  // the host's blocks hold 4 nodes
    SCOPED_TRACE("block " + std::to_string(failing));
    FileEntryList host(4);
    host.Append("stale entry of the host", 1);
    {
      BlockFailure failure(4, failing);
      EXPECT_THROW(GetFileList(state_, &host), std::bad_alloc);
    }
    EXPECT_EQ(ListShapeProblem(host), "");
    EXPECT_EQ(Entries(host), Prefix(source_, std::size_t(4 * (failing - 1))));
    EXPECT_EQ(Entries(Module()), source_);
    GetFileList(state_, &host);
    EXPECT_EQ(Entries(host), source_);
  }
}

TEST_F(OutOfMemory, AppendKeepsEarlierEntriesAndAConsistentList) {
  if (BlocksOutOfReach()) GTEST_SKIP() << "node blocks come from the process heap here";
  FileEntryList list(2);
  {
    BlockFailure failure(2, 3);  // the third block cannot be had
    for (int i = 0; i < 4; ++i) list.Append(FileEntry{"n" + std::to_string(i), 1});
    EXPECT_THROW(list.Append(FileEntry{"n4", 1}), std::bad_alloc);
  }
  EXPECT_EQ(Entries(list), (EntryList{{"n0", 1}, {"n1", 1}, {"n2", 1}, {"n3", 1}}));
  EXPECT_EQ(BlockCount(list), 2u);
  EXPECT_EQ(list.freeNodes, nullptr);
  EXPECT_EQ(ListShapeProblem(list), "");
  list.Append(FileEntry{"n4", 1});  // memory back: carries on where it stopped
  EXPECT_EQ(list.count, 5u);
  EXPECT_EQ(ListShapeProblem(list), "");
}

TEST_F(OutOfMemory, AppendToAFreshListLeavesItEmpty) {
  if (BlocksOutOfReach()) GTEST_SKIP() << "node blocks come from the process heap here";
  FileEntryList list;
  {
    BlockFailure failure(10, 1);
    EXPECT_THROW(list.Append(FileEntry{"a", 1}), std::bad_alloc);
  }
  EXPECT_EQ(list.count, 0u);
  EXPECT_EQ(list.head, nullptr);
  EXPECT_EQ(list.blocks, nullptr);
}

// A name that cannot be copied leaves its node at the front of the free chain, where the next
// append takes it.
void ExpectFailedNodeIsReused(FileEntryList& list) {
  const FileEntryNode* failedNode = list.freeNodes;
  ASSERT_NE(failedNode, nullptr);
  list.Append("after the failure", 1);
  EXPECT_EQ(list.tail, failedNode);
  EXPECT_EQ(ListShapeProblem(list), "");
}

TEST_F(OutOfMemory, SetFileListAtEachNameCopy) {
  if (!testing::RoutesStringAllocations())
    GTEST_SKIP() << "string copies allocate inside the C++ runtime DLL, out of reach here";
  for (int failing = 1; failing <= 25; ++failing) {
    SCOPED_TRACE("name " + std::to_string(failing));
    const int64_t live = testing::LiveAllocations();
    {
      FileEntryList host(3);
      Fill(host, source_);
      testing::FailNthAllocationOf(NameBytes(), failing);  // node blocks are other sizes
      EXPECT_THROW(SetFileList(state_, &host), std::bad_alloc);
      testing::FailNthAllocation(0);
      EXPECT_EQ(Entries(Module()), Prefix(source_, std::size_t(failing - 1)));
      EXPECT_EQ(Entries(host), source_);
      ExpectFailedNodeIsReused(Module());
      Module().Clear();  // as unload does
    }
    EXPECT_EQ(testing::LiveAllocations(), live);
  }
}

TEST_F(OutOfMemory, GetFileListAtEachNameCopy) {
  if (!testing::RoutesStringAllocations())
    GTEST_SKIP() << "string copies allocate inside the C++ runtime DLL, out of reach here";
  FileEntryList filled(10);
  Fill(filled, source_);
  SetFileList(state_, &filled);
  for (int failing = 1; failing <= 25; ++failing) {
    SCOPED_TRACE("name " + std::to_string(failing));
    const int64_t live = testing::LiveAllocations();
    {
      FileEntryList host(6);
      testing::FailNthAllocationOf(NameBytes(), failing);  // node blocks are other sizes
      EXPECT_THROW(GetFileList(state_, &host), std::bad_alloc);
      testing::FailNthAllocation(0);
      EXPECT_EQ(Entries(host), Prefix(source_, std::size_t(failing - 1)));
      EXPECT_EQ(Entries(Module()), source_);
      ExpectFailedNodeIsReused(host);
    }
    EXPECT_EQ(testing::LiveAllocations(), live);
  }
}

// Each allocation of the export in turn, the host's copies of the path included: the host gets
// the whole fragment or nothing, no project file is left, emptied or not, and no file is open.
TEST_F(OutOfMemory, ProjectExportAtEachAllocation) {
  if (!testing::RoutesStringAllocations())
    GTEST_SKIP() << "string copies allocate inside the C++ runtime DLL, out of reach here";
  testing::TempDirectory dir;
  const std::string path = dir.File("workspace.tvef");
  testing::WriteBytes(path, {'T', 'V', 'E', 'F'});
  FileEntryList list;
  Fill(list, source_);
  const std::string fragment = ProjectFragment(list, kPlatformLineEnd);
  for (int failing = 1;; ++failing) {
    SCOPED_TRACE("allocation " + std::to_string(failing));
    testing::FakeWorkspace workspace(path);
    std::vector<std::string> handed;
    workspace.onLoadProjectFile = [&](const std::string& project) {
      const std::vector<uint8_t> bytes = testing::ReadBytes(project);
      handed.emplace_back(bytes.begin(), bytes.end());
    };
    bool threw = false;
    const int descriptors = testing::OpenDescriptors();
    testing::FailNthAllocation(failing);
    try {
      ExportToHost(workspace, NativeFileSystem(), list, path);
    } catch (const std::bad_alloc&) {
      threw = true;
    }
    const bool ranOut = !testing::AllocationFaultPending();
    testing::FailNthAllocation(0);
    EXPECT_EQ(threw, ranOut);
    EXPECT_EQ(testing::OpenDescriptors(), descriptors);
    EXPECT_FALSE(testing::FileExists(ProjectFilePath(path)));
    for (const std::string& text : handed) EXPECT_EQ(text, fragment);
    if (!ranOut) break;  // the whole export ran without needing allocation `failing`
  }
}

}  // namespace
}  // namespace tolvane
