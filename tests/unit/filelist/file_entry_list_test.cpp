// FileEntryList: the node pool, the copy of names and of bits 0 and 1. Running out of memory is
// tested with the reliability tests' failing allocator.
#include "tolvane/file_entry_list.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

#include "filelist/file_entry_ops.h"

// GCC 12 at -O3 reports a false overlap inside std::string's `"f" + std::to_string(i)` (GCC bug
// 105329); the warning is about the library's inlined code, not ours.
#if defined(__GNUC__) && !defined(__clang__) && __GNUC__ == 12
#pragma GCC diagnostic ignored "-Wrestrict"
#endif

namespace tolvane {
namespace {

std::vector<std::string> Names(const FileEntryList& list) {
  std::vector<std::string> names;
  for (const FileEntry& entry : list) names.emplace_back(NameOf(entry));
  return names;
}

// Memory is plentiful here: every append must succeed.
void Add(FileEntryList& list, std::string_view name, uint8_t flags) {
  EXPECT_TRUE(list.AppendName(name.data(), uint32_t(name.size()), flags)) << name;
}

std::size_t FreeChainLength(const FileEntryList& list) {
  std::size_t length = 0;
  for (const FileEntryNode* node = list.freeNodes; node != nullptr; node = node->next) ++length;
  return length;
}

std::size_t BlockCount(const FileEntryList& list) {
  std::size_t blocks = 0;
  for (const FileEntryBlock* block = list.blocks; block != nullptr; block = block->previous) {
    ++blocks;
  }
  return blocks;
}

// Checks every link of the list against count, head and tail.
void ExpectConsistent(const FileEntryList& list) {
  uint32_t seen = 0;
  const FileEntryNode* previous = nullptr;
  for (const FileEntryNode* node = list.head; node != nullptr; node = node->next) {
    EXPECT_EQ(node->prev, previous);
    previous = node;
    ++seen;
  }
  EXPECT_EQ(seen, list.count);
  EXPECT_EQ(list.tail, previous);
}

TEST(FileEntryListPool, TwentyFiveEntriesTakeThreeBlocksAndLeaveFiveFreeSlots) {
  FileEntryList list;
  ASSERT_EQ(list.blockSize, 10);
  for (int i = 0; i < 25; ++i) Add(list, "f" + std::to_string(i), 1);

  EXPECT_EQ(list.count, 25u);
  EXPECT_EQ(BlockCount(list), 3u);
  EXPECT_EQ(FreeChainLength(list), 5u);
  ExpectConsistent(list);

  // Blocks are chained newest first; slots are handed out in ascending address order.
  FileEntryBlock* third = list.blocks;
  FileEntryBlock* second = third->previous;
  FileEntryBlock* first = second->previous;
  EXPECT_EQ(first->previous, nullptr);
  EXPECT_EQ(list.head, node_blocks::Slots(first));
  const FileEntryNode* node = list.head;
  for (FileEntryBlock* block : {first, second}) {
    for (int slot = 0; slot < 10; ++slot, node = node->next) {
      EXPECT_EQ(node, node_blocks::Slots(block) + slot);
    }
  }
  for (int slot = 0; slot < 5; ++slot, node = node->next) {
    EXPECT_EQ(node, node_blocks::Slots(third) + slot);
  }
  EXPECT_EQ(node, nullptr);
  // The free slots are the rest of the third block, in order.
  const FileEntryNode* free = list.freeNodes;
  for (int slot = 5; slot < 10; ++slot, free = free->next) {
    EXPECT_EQ(free, node_blocks::Slots(third) + slot);
  }
}

TEST(FileEntryListPool, ClearReleasesEverythingAndKeepsBlockSize) {
  FileEntryList list(3);
  for (int i = 0; i < 7; ++i) Add(list, std::string(40, char('a' + i)), 0);
  list.Clear();
  EXPECT_EQ(list.head, nullptr);
  EXPECT_EQ(list.tail, nullptr);
  EXPECT_EQ(list.count, 0u);
  EXPECT_EQ(list.blocks, nullptr);
  EXPECT_EQ(list.freeNodes, nullptr);
  EXPECT_EQ(list.blockSize, 3);

  // The list is usable again afterwards, from a fresh block.
  Add(list, "again", 2);
  EXPECT_EQ(list.head, node_blocks::Slots(list.blocks));
  EXPECT_EQ(Names(list), std::vector<std::string>{"again"});
}

TEST(FileEntryListPool, ClearOnAnEmptyListChangesNothing) {
  FileEntryList list(7);
  list.Clear();
  EXPECT_EQ(list.head, nullptr);
  EXPECT_EQ(list.blocks, nullptr);
  EXPECT_EQ(list.freeNodes, nullptr);
  EXPECT_EQ(list.count, 0u);
  EXPECT_EQ(list.blockSize, 7);
}

// The header offers no removal, so a host unlinks entries itself; one that leaves the count as it
// was still gets a Clear that stops at the end of the chain.
TEST(FileEntryListPool, ClearStopsAtTheEndOfTheChainWhateverTheCountSays) {
  FileEntryList list(4);
  for (const char* name : {"a", "b", "c"}) Add(list, name, 0);
  FileEntryNode* unlinked = list.tail;
  list.tail = unlinked->prev;
  list.tail->next = nullptr;
  node_blocks::Release(unlinked->entry.name);
  list.Clear();
  EXPECT_EQ(list.head, nullptr);
  EXPECT_EQ(list.count, 0u);
  EXPECT_EQ(list.blocks, nullptr);
}

TEST(FileEntryListPool, NonPositiveBlockSizeStillGivesOneSlotPerBlock) {
  FileEntryList list(0);
  Add(list, "a", 0);
  Add(list, "b", 0);
  EXPECT_EQ(BlockCount(list), 2u);
  EXPECT_EQ(FreeChainLength(list), 0u);
}

TEST(FileEntryListPool, AbsurdBlockSizeIsRefusedNotASmallBlock) {
  if (sizeof(void*) != 4) GTEST_SKIP() << "only a 32-bit byte count can wrap";
  FileEntryList list(INT32_MAX);
  EXPECT_FALSE(list.AppendText("a", 0));
  EXPECT_EQ(list.count, 0u);
  EXPECT_EQ(list.blocks, nullptr);
}

TEST(FileEntryListAppend, KeepsOnlyBitsZeroAndOne) {
  FileEntryList list;
  for (uint8_t flags : {uint8_t(0xFF), uint8_t(0xFC), uint8_t(0x01), uint8_t(0xFE)}) {
    Add(list, "x", flags);
  }
  std::vector<int> copied;
  for (const FileEntry& entry : list) copied.push_back(entry.flags);
  EXPECT_EQ(copied, (std::vector<int>{3, 0, 1, 2}));
}

TEST(FileEntryListAppend, NamesAreCopiedByLengthAndGetATerminator) {
  FileEntryList list;
  const std::string embedded("a\0b", 3);
  const std::string longName(70000, 'z');
  Add(list, "", 1);
  Add(list, embedded, 0);
  Add(list, longName, 2);
  EXPECT_TRUE(list.AppendText("text\0ignored", 0));
  EXPECT_TRUE(list.AppendText(nullptr, 0));
  // A host's entry may carry no name at all.
  EXPECT_TRUE(list.Append(FileEntry{nullptr, 1, 0}));
  EXPECT_EQ(Names(list), (std::vector<std::string>{"", embedded, longName, "text", "", ""}));
  for (const FileEntry& entry : list) {
    ASSERT_NE(entry.name, nullptr);  // the host reads every name as a NUL-terminated text
    EXPECT_EQ(entry.name[entry.nameLength], '\0');
  }
  ExpectConsistent(list);
}

TEST(FileEntryListAppend, AppendingAnEntryOfTheSameListIsSafe) {
  FileEntryList list(1);
  Add(list, std::string(100, 'q'), 1);
  // Needs a new block while the source lives in an old one.
  EXPECT_TRUE(list.Append(list.head->entry));
  EXPECT_EQ(Names(list), (std::vector<std::string>{std::string(100, 'q'), std::string(100, 'q')}));
}

}  // namespace
}  // namespace tolvane
