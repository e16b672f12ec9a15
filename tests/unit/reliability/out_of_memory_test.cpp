// Out of memory at each allocation of the list entries the host calls (SetFileList,
// GetFileList) and of a load: a node block that cannot be had and a name that cannot be copied.
// Each time the out-of-memory exception reaches the caller (a table entry turns it into its
// failure result), the destination is exactly as it was and holds together, the source is
// untouched, and nothing is lost to a leak. Append itself reports a shortage by its result. The
// ranker and a Find list's display slots meet it at each buffer too.
#include <gtest/gtest.h>

#include <filesystem>
#include <new>
#include <string>
#include <vector>

#include "filelist/file_entry_ops.h"
#include "filelist/file_list_state.h"
#include "filelist/file_list_writer.h"
#include "filelist/project_export.h"
#include "filelist/project_fragment.h"
#include "filelist/set_aside.h"
#include "finddlg/display_text_ring.h"
#include "support/fake_workspace.h"
#include "support/faulty_file_system.h"
#include "support/file_entry_list_checks.h"
#include "support/temp_directory.h"
#include "tolvane/fuzzy_match.h"
#include "unit/reliability/counting_allocator.h"
#include "unit/reliability/open_descriptors.h"

namespace tolvane {
namespace {

// Runs `call` with allocation `failing` refused: what it returned, whether the out-of-memory
// exception reached the caller, and whether the refusal was met at all (a throw exactly then,
// unless `bestEffort`: a step that may do without what it could not allocate).
struct Attempt {
  bool result = false;
  bool threw = false;
  bool ranOut = false;
};
template <typename Call>
Attempt WithAllocationRefused(int failing, Call call, bool bestEffort = false) {
  Attempt attempt;
  testing::FailNthAllocation(failing);
  try {
    attempt.result = call();
  } catch (const std::bad_alloc&) {
    attempt.threw = true;
  }
  attempt.ranOut = !testing::AllocationFaultPending();
  testing::FailNthAllocation(0);
  if (!bestEffort || attempt.threw) {
    EXPECT_EQ(attempt.threw, attempt.ranOut);
  }
  return attempt;
}

using testing::Entries;
using testing::EntryList;
using testing::Fill;
using testing::ListShapeProblem;

// 25 entries whose names all have the same length, longer than any other allocation's here.
EntryList Source() {
  EntryList entries;
  for (int i = 0; i < 25; ++i)
    entries.emplace_back("project/source/file-number-" + std::to_string(100 + i) + ".cpp",
                         uint8_t(i % 4));
  return entries;
}

const EntryList kPrevious = {{"previous/one.cpp", 1}, {"previous/two.h", 2}};

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
  // Node blocks and names come from the shared allocator: a test that fails them skips where
  // that allocator does not come through this program.
  static bool ListMemoryOutOfReach() { return !testing::RoutesNodeBlocks(); }
  FileListState state_;
  const FileEntryList& Module() const { return state_.List(); }
  // The module's list made to hold `entries` (through a list of the caller's size 10).
  static void Hold(FileListState& state, const EntryList& entries) {
    FileEntryList list(10);
    Fill(list, entries);
    state.CopyFrom(&list);
  }
  const EntryList source_ = Source();
  // What a copy of one of the source's names allocates: the name and its terminator.
  std::size_t NameBytes() const { return source_.front().first.size() + 1; }
};

TEST_F(OutOfMemory, AppendReportsAMissingBlockAndChangesNothing) {
  if (ListMemoryOutOfReach()) GTEST_SKIP() << "list memory does not come through here";
  FileEntryList fresh;
  {
    BlockFailure failure(10, 1);
    EXPECT_FALSE(fresh.AppendText("a", 1));
  }
  EXPECT_EQ(fresh.count, 0u);
  EXPECT_EQ(fresh.head, nullptr);
  EXPECT_EQ(fresh.blocks, nullptr);

  FileEntryList list(2);
  {
    BlockFailure failure(2, 3);  // the third block cannot be had
    for (int i = 0; i < 4; ++i) EXPECT_TRUE(list.AppendText(("n" + std::to_string(i)).c_str(), 1));
    EXPECT_FALSE(list.AppendText("n4", 1));
  }
  EXPECT_EQ(Entries(list), (EntryList{{"n0", 1}, {"n1", 1}, {"n2", 1}, {"n3", 1}}));
  EXPECT_EQ(BlockCount(list), 2u);
  EXPECT_EQ(list.freeNodes, nullptr);
  EXPECT_EQ(ListShapeProblem(list), "");
  EXPECT_TRUE(list.AppendText("n4", 1));  // memory back: carries on where it stopped
  EXPECT_EQ(list.count, 5u);
  EXPECT_EQ(ListShapeProblem(list), "");
}

// A name that cannot be copied leaves its node, a fresh block's included, at the front of the
// free chain, where the next append takes it.
TEST_F(OutOfMemory, AppendReportsANameItCannotCopyAndReusesItsNode) {
  if (ListMemoryOutOfReach()) GTEST_SKIP() << "list memory does not come through here";
  FileEntryList list(3);
  const std::string name = source_.front().first;
  for (int round = 0; round < 2; ++round) {  // a fresh block's node, then a free one
    SCOPED_TRACE("round " + std::to_string(round));
    const EntryList before = Entries(list);
    testing::FailNthAllocationOf(NameBytes(), 1);
    EXPECT_FALSE(list.AppendText(name.c_str(), 2));
    testing::FailNthAllocation(0);
    EXPECT_EQ(Entries(list), before);
    EXPECT_EQ(ListShapeProblem(list), "");
    ASSERT_NE(list.blocks, nullptr);
    const FileEntryNode* failedNode = list.freeNodes;
    EXPECT_EQ(failedNode, node_blocks::Slots(list.blocks) + round);
    EXPECT_TRUE(list.AppendText(name.c_str(), 2));
    EXPECT_EQ(list.tail, failedNode);
  }
  EXPECT_EQ(BlockCount(list), 1u);
}

// The entry has no result: until a later set or load succeeds, saves refuse to write the list
// the host did not get to replace.
TEST_F(OutOfMemory, SetFileListAtEachNodeBlockLeavesTheModulesListAndSavesRefuse) {
  if (ListMemoryOutOfReach()) GTEST_SKIP() << "list memory does not come through here";
  testing::TempDirectory dir;
  testing::FakeWorkspace workspace(dir.File("workspace.tvef"));
  state_.SetWorkspace(&workspace);
  for (int failing = 1; failing <= 3; ++failing) {  // the module's blocks hold 10 nodes
    SCOPED_TRACE("block " + std::to_string(failing));
    std::filesystem::remove(dir.File("workspace.tvef"));
    Hold(state_, kPrevious);
    FileEntryList host(7);
    Fill(host, source_);
    {
      BlockFailure failure(10, failing);
      EXPECT_THROW(state_.CopyFrom(&host), std::bad_alloc);
    }
    EXPECT_EQ(ListShapeProblem(Module()), "");
    EXPECT_EQ(Entries(Module()), kPrevious);
    EXPECT_EQ(BlockCount(Module()), 1u);
    EXPECT_EQ(Entries(host), source_);
    EXPECT_FALSE(state_.Save());
    EXPECT_FALSE(testing::FileExists(dir.File("workspace.tvef")));
    // Memory back: the whole copy goes through, or a load that finds no file empties the list.
    const bool bySet = failing != 2;
    if (bySet) {
      state_.CopyFrom(&host);
    } else {
      EXPECT_TRUE(state_.Load(false));
    }
    EXPECT_EQ(Entries(Module()), bySet ? source_ : EntryList{});
    EXPECT_TRUE(state_.Save());
  }
}

TEST_F(OutOfMemory, GetFileListAtEachNodeBlockLeavesTheHostsList) {
  if (ListMemoryOutOfReach()) GTEST_SKIP() << "list memory does not come through here";
  Hold(state_, source_);
  for (int failing = 1; failing <= 7; ++failing) {  // the host's blocks hold 4 nodes
    SCOPED_TRACE("block " + std::to_string(failing));
    FileEntryList host(4);
    Fill(host, kPrevious);
    // How the public header tells a host that a copy failed: the list keeps the block it held.
    const FileEntryBlock* held = host.blocks;
    {
      BlockFailure failure(4, failing);
      EXPECT_THROW(state_.CopyTo(&host), std::bad_alloc);
    }
    EXPECT_EQ(ListShapeProblem(host), "");
    EXPECT_EQ(Entries(host), kPrevious);
    EXPECT_EQ(host.blocks, held);
    EXPECT_EQ(BlockCount(host), 1u);
    EXPECT_EQ(Entries(Module()), source_);
    state_.CopyTo(&host);
    EXPECT_EQ(Entries(host), source_);
    EXPECT_NE(host.blocks, held);
  }
}

TEST_F(OutOfMemory, CopiesAtEachNameLeaveTheDestinationAndLeakNothing) {
  if (ListMemoryOutOfReach()) GTEST_SKIP() << "list memory does not come through here";
  FileEntryList host(3);
  Fill(host, source_);
  for (const bool toModule : {true, false}) {
    for (int failing = 1; failing <= 25; ++failing) {
      SCOPED_TRACE((toModule ? "SetFileList, name " : "GetFileList, name ") +
                   std::to_string(failing));
      const int64_t live = testing::LiveAllocations();
      {
        FileListState state;
        Hold(state, toModule ? kPrevious : source_);
        FileEntryList destination(6);
        if (!toModule) Fill(destination, kPrevious);
        testing::FailNthAllocationOf(NameBytes(), failing);  // node blocks are other sizes
        if (toModule) {
          EXPECT_THROW(state.CopyFrom(&host), std::bad_alloc);
        } else {
          EXPECT_THROW(state.CopyTo(&destination), std::bad_alloc);
        }
        testing::FailNthAllocation(0);
        const FileEntryList& written = toModule ? state.List() : destination;
        EXPECT_EQ(Entries(written), kPrevious);
        EXPECT_EQ(ListShapeProblem(written), "");
        EXPECT_EQ(Entries(toModule ? host : state.List()), source_);
      }
      EXPECT_EQ(testing::LiveAllocations(), live);
    }
  }
}

// Each allocation of a load with the project export in turn, the host's copies of the path
// included: the load either succeeds in full or lets the exception out, with the list as it was
// (the file not read, and so marked) or with the file's entries (the export failed); the list
// file stays where it is, the host gets the whole fragment or nothing, no project file is left
// and no file is open. The save that follows never puts an older list in the file's place.
TEST_F(OutOfMemory, LoadWithExportAtEachAllocation) {
  if (!testing::RoutesStringAllocations())
    GTEST_SKIP() << "string copies allocate inside the C++ runtime DLL, out of reach here";
  testing::TempDirectory dir;
  const std::string path = dir.File("workspace.tvef");
  std::vector<uint8_t> bytes;
  {
    FileEntryList list;
    Fill(list, source_);
    EncodeFileList(list, bytes);
  }
  FileEntryList exported;
  Fill(exported, source_);
  const std::string fragment = ProjectFragment(exported, kPlatformLineEnd);
  for (int failing = 1;; ++failing) {
    SCOPED_TRACE("allocation " + std::to_string(failing));
    testing::WriteBytes(path, bytes);
    std::filesystem::remove(SetAsideName(path, 0));
    testing::FakeWorkspace workspace(path);
    std::vector<std::string> handed;
    workspace.onLoadProjectFile = [&](const std::string& project) {
      const std::vector<uint8_t> text = testing::ReadBytes(project);
      handed.emplace_back(text.begin(), text.end());
    };
    FileListState state;
    state.SetWorkspace(&workspace);
    Hold(state, kPrevious);
    const FileEntryList& list = state.List();
    const int descriptors = testing::OpenDescriptors();
    const auto [loaded, threw, ranOut] =
        WithAllocationRefused(failing, [&] { return state.Load(true); });
    EXPECT_EQ(loaded, !threw);
    const EntryList held = Entries(list);
    EXPECT_TRUE(held == source_ || (threw && held == kPrevious));
    EXPECT_EQ(ListShapeProblem(list), "");
    EXPECT_EQ(testing::OpenDescriptors(), descriptors);
    EXPECT_EQ(testing::ReadBytes(path), bytes);
    EXPECT_FALSE(testing::FileExists(ProjectFilePath(path)));
    for (const std::string& text : handed) EXPECT_EQ(text, fragment);
    // A host's own path copy that runs out (the fake's log) ends the load before it knows a file.
    const bool pathKnown = !workspace.calls.empty();
    EXPECT_TRUE(state.Save());
    EXPECT_TRUE(!pathKnown || testing::ReadBytes(path) == bytes ||
                (testing::FileExists(SetAsideName(path, 0)) &&
                 testing::ReadBytes(SetAsideName(path, 0)) == bytes));
    if (!ranOut) break;  // the whole load ran without needing allocation `failing`
  }
}

// A save that runs out of memory after it set aside the list a load could not read puts that list
// back at its path, still marked, so the next save sets it aside again before replacing it. So
// does a save that cannot write (a full disk), unless putting back runs out of memory itself:
// then the list stays set aside, where the user finds it, and the next save writes in place.
TEST_F(OutOfMemory, SaveAtEachAllocationPutsTheUnreadListBack) {
  if (!testing::RoutesStringAllocations())
    GTEST_SKIP() << "string copies allocate inside the C++ runtime DLL, out of reach here";
  testing::TempDirectory dir;
  const std::string path = dir.File("work.tvef");
  const std::vector<uint8_t> unread = testing::Encoded(kPrevious);
  int keptAside = 0;  // saves whose put-back ran out of memory itself
  for (const bool writeFails : {false, true}) {
    for (int failing = 1;; ++failing) {
      SCOPED_TRACE((writeFails ? "write fails, allocation " : "allocation ") +
                   std::to_string(failing));
      std::filesystem::remove_all(dir.path());
      std::filesystem::create_directory(dir.path());
      testing::WriteBytes(path, unread);
      testing::FaultyFileSystem fs(NativeFileSystem());
      fs.Fail(testing::FileFault::kRead);
      testing::FakeWorkspace workspace(path);
      FileListState state(fs);
      state.SetWorkspace(&workspace);
      ASSERT_FALSE(state.Load(false));
      Hold(state, source_);
      if (writeFails) fs.Fail(testing::FileFault::kWrite);
      const auto [saved, threw, ranOut] = WithAllocationRefused(
          failing, [&] { return state.Save(); }, writeFails);
      EXPECT_EQ(saved, !threw && !writeFails);
      // Met without a throw: by the put-back or by the clean-up of the file not written.
      const bool mayBeAside = writeFails && ranOut && !threw;
      const bool atPath = testing::FileExists(path);
      EXPECT_TRUE(atPath || mayBeAside);
      keptAside += atPath ? 0 : 1;
      if (saved) {
        EXPECT_EQ(testing::ReadBytes(path), testing::Encoded(source_));
      } else {
        EXPECT_NE(atPath, testing::FileExists(SetAsideName(path, 0)));  // in one place only
        EXPECT_EQ(testing::ReadBytes(atPath ? path : SetAsideName(path, 0)), unread);
      }
      fs.FailNone();
      if (!saved) {
        EXPECT_TRUE(state.Save());
        EXPECT_EQ(testing::ReadBytes(path), testing::Encoded(source_));
      }
      EXPECT_EQ(testing::ReadBytes(SetAsideName(path, 0)), unread);
      EXPECT_FALSE(testing::FileExists(SetAsideName(path, 1)));
      if (!ranOut) break;
    }
  }
  EXPECT_GT(keptAside, 0);
}

// The ranker's four buffers, each failing in turn: SetTexts reports it, the ranker holds an empty
// list, nothing it had or took stays allocated, and it works again once memory is back.
TEST_F(OutOfMemory, RankerSetTextsAtEachBuffer) {
  if (ListMemoryOutOfReach()) GTEST_SKIP() << "the shared allocator does not come through here";
  const std::vector<FuzzyText> texts = {{"alpha", 5}, {"beta", 4}, {"gamma", 5}};
  for (int failing = 1; failing <= 4; ++failing) {
    SCOPED_TRACE("buffer " + std::to_string(failing));
    const int64_t live = testing::LiveAllocations();
    FuzzyRanker ranker;
    ASSERT_TRUE(ranker.SetTexts(texts.data(), 1, FuzzyEncoding::kUtf8));
    testing::FailNthAllocation(failing);
    EXPECT_FALSE(ranker.SetTexts(texts.data(), 3, FuzzyEncoding::kUtf8));
    EXPECT_FALSE(testing::AllocationFaultPending());
    testing::FailNthAllocation(0);
    EXPECT_EQ(testing::LiveAllocations(), live);
    EXPECT_EQ(ranker.Rank("a", 1), 0u);
    ASSERT_TRUE(ranker.SetTexts(texts.data(), 3, FuzzyEncoding::kUtf8));
    EXPECT_EQ(ranker.Rank("a", 1), 3u);
  }
}

// A count whose buffers a 32-bit address space cannot hold is refused, not wrapped round to
// buffers of a few bytes that the ranking would overrun.
TEST(RankerCount, BeyondTheAddressSpaceIsRefused) {
  if (sizeof(std::size_t) != 4) GTEST_SKIP() << "only a 32-bit byte count can wrap";
  const std::vector<FuzzyText> texts = {{"alpha", 5}};
  FuzzyRanker ranker;
  ASSERT_FALSE(ranker.SetTexts(texts.data(), (1u << 30) + 1, FuzzyEncoding::kUtf8));
  EXPECT_EQ(ranker.Rank("a", 1), 0u);
  ASSERT_TRUE(ranker.SetTexts(texts.data(), 1, FuzzyEncoding::kUtf8));
  EXPECT_EQ(ranker.Rank("a", 1), 1u);
}

// A display slot that cannot grow: the out-of-memory exception reaches the caller, the texts
// already handed out stay, nothing is lost, and the slot grows once memory is back.
TEST_F(OutOfMemory, DisplayTextRingAtAGrowth) {
  DisplayTextRing ring;
  const char* kept = ring.StoreDisplayText("kept");
  const std::string longText(500, 'x');
  const int64_t live = testing::LiveAllocations();
  testing::FailNthAllocation(1);
  EXPECT_THROW(ring.StoreDisplayText(longText), std::bad_alloc);
  EXPECT_FALSE(testing::AllocationFaultPending());
  testing::FailNthAllocation(0);
  EXPECT_EQ(testing::LiveAllocations(), live);
  EXPECT_STREQ(kept, "kept");
  EXPECT_EQ(std::string(ring.StoreDisplayText(longText)), longText);
  EXPECT_STREQ(kept, "kept");
}

}  // namespace
}  // namespace tolvane
