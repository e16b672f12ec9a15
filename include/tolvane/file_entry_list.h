// The workspace file list, shared in shape and code with the host: a doubly linked list of
// FileEntry records whose nodes come from a pool of node blocks. Header-only, so that a host runs
// the very same Clear and Append on its own lists. Node blocks of host and module come from one
// process-wide allocator (the process heap on Windows, the global operator new elsewhere),
// because each side releases blocks the other allocated.
#pragma once

#include <cstddef>
#include <cstdint>
#include <iterator>
#include <new>
#include <string>
#include <string_view>

#ifdef _WIN32
#include <windows.h>
#endif

namespace tolvane {

// A file name with two flag bits: bit 0 (kFileInProject) and bit 1 (kFileSecondFlag) carry
// meaning; bits 2 to 7 are never copied, read or stored.
struct FileEntry {
  std::string name;
  uint8_t flags = 0;
};

inline constexpr uint8_t kFileInProject = 0x01;
inline constexpr uint8_t kFileSecondFlag = 0x02;
inline constexpr uint8_t kFileMeaningfulBits = kFileInProject | kFileSecondFlag;

struct FileEntryNode {
  FileEntryNode* next;
  FileEntryNode* prev;
  FileEntry entry;  // constructed only while the node is in the list
};

// A block is a link to the previously allocated block followed by blockSize node slots.
struct FileEntryBlock {
  FileEntryBlock* previous;
};

namespace node_blocks {

inline constexpr std::size_t kSlotsOffset = (sizeof(FileEntryBlock) + alignof(FileEntryNode) - 1) /
                                            alignof(FileEntryNode) * alignof(FileEntryNode);

// The allocator that host and module share; null when memory runs out. Release gives blocks
// back to it.
inline void* Allocate(std::size_t bytes) {
#ifdef _WIN32
  return ::HeapAlloc(::GetProcessHeap(), 0, bytes);
#else
  return ::operator new(bytes, std::nothrow);
#endif
}

inline void Release(void* block) {
#ifdef _WIN32
  ::HeapFree(::GetProcessHeap(), 0, block);
#else
  ::operator delete(block);
#endif
}

inline FileEntryNode* Slots(FileEntryBlock* block) {
  return reinterpret_cast<FileEntryNode*>(reinterpret_cast<char*>(block) + kSlotsOffset);
}

}  // namespace node_blocks

struct FileEntryList {
  FileEntryNode* head = nullptr;
  FileEntryNode* tail = nullptr;
  uint32_t count = 0;
  FileEntryBlock* blocks = nullptr;
  FileEntryNode* freeNodes = nullptr;
  int32_t blockSize = 10;

  FileEntryList() = default;
  explicit FileEntryList(int32_t nodesPerBlock) : blockSize(nodesPerBlock) {}
  FileEntryList(const FileEntryList&) = delete;
  FileEntryList& operator=(const FileEntryList&) = delete;
  ~FileEntryList() { Clear(); }

  // Destroys every entry and releases every block; blockSize stays.
  void Clear() {
    while (count > 0) {
      FileEntryNode* node = head;
      head = node->next;
      node->entry.~FileEntry();
      node->next = freeNodes;
      freeNodes = node;
      --count;
    }
    head = nullptr;
    tail = nullptr;
    freeNodes = nullptr;
    while (blocks != nullptr) {
      FileEntryBlock* previous = blocks->previous;
      node_blocks::Release(blocks);
      blocks = previous;
    }
  }

  // Adds a copy of the entry (name and bits 0 and 1) after the tail. Throws std::bad_alloc when
  // a block cannot be had; the list is left as it was.
  void Append(const FileEntry& source) { Append(source.name, source.flags); }

  // The same, from a name and flags held elsewhere (a reader's buffer): one copy of the name.
  void Append(std::string_view name, uint8_t flags) {
    if (freeNodes == nullptr) AddBlock();
    FileEntryNode* node = freeNodes;
    // If the name cannot be copied the node simply stays at the front of the free chain.
    new (&node->entry) FileEntry{std::string(name), uint8_t(flags & kFileMeaningfulBits)};
    freeNodes = node->next;
    node->prev = tail;
    node->next = nullptr;
    ++count;
    if (tail != nullptr) {
      tail->next = node;
    } else {
      head = node;
    }
    tail = node;
  }

  class const_iterator {
   public:
    using iterator_category = std::forward_iterator_tag;
    using value_type = FileEntry;
    using difference_type = std::ptrdiff_t;
    using pointer = const FileEntry*;
    using reference = const FileEntry&;
    const_iterator() = default;
    explicit const_iterator(const FileEntryNode* node) : node_(node) {}
    reference operator*() const { return node_->entry; }
    pointer operator->() const { return &node_->entry; }
    const_iterator& operator++() {
      node_ = node_->next;
      return *this;
    }
    const_iterator operator++(int) {
      const_iterator before = *this;
      node_ = node_->next;
      return before;
    }
    bool operator==(const const_iterator& other) const { return node_ == other.node_; }
    bool operator!=(const const_iterator& other) const { return node_ != other.node_; }

   private:
    const FileEntryNode* node_ = nullptr;
  };

  const_iterator begin() const { return const_iterator(head); }
  const_iterator end() const { return const_iterator(nullptr); }
  bool empty() const { return count == 0; }

 private:
  // New slots are handed out in ascending address order, ahead of the previous free chain.
  void AddBlock() {
    const std::size_t slots = blockSize > 0 ? std::size_t(blockSize) : 1;
    // A block size from a host's list must not wrap the byte count round to a small block.
    if (slots > (SIZE_MAX - node_blocks::kSlotsOffset) / sizeof(FileEntryNode)) {
      throw std::bad_alloc();
    }
    void* memory = node_blocks::Allocate(node_blocks::kSlotsOffset + slots * sizeof(FileEntryNode));
    if (memory == nullptr) throw std::bad_alloc();
    auto* block = static_cast<FileEntryBlock*>(memory);
    block->previous = blocks;
    blocks = block;
    FileEntryNode* first = node_blocks::Slots(block);
    for (std::size_t i = 0; i + 1 < slots; ++i) first[i].next = &first[i + 1];
    first[slots - 1].next = freeNodes;
    freeNodes = first;
  }
};

// Host and module read each other's lists, nodes and blocks field by field: the layouts below
// are part of the contract, one set per pointer size (natural alignment, fields in order).
#if UINTPTR_MAX == 0xFFFFFFFFu
static_assert(sizeof(FileEntryList) == 24, "the list header is six 4-byte fields");
static_assert(offsetof(FileEntryList, tail) == 4 && offsetof(FileEntryList, count) == 8 &&
              offsetof(FileEntryList, blocks) == 12 && offsetof(FileEntryList, freeNodes) == 16 &&
              offsetof(FileEntryList, blockSize) == 20);
static_assert(offsetof(FileEntryNode, prev) == 4 && offsetof(FileEntryNode, entry) == 8);
static_assert(node_blocks::kSlotsOffset == 4, "a block's node slots follow its one link");
#else
// The two 32-bit fields each take 8 bytes, padded for the pointer after them.
static_assert(sizeof(FileEntryList) == 48, "the list header is six 8-byte fields");
static_assert(offsetof(FileEntryList, tail) == 8 && offsetof(FileEntryList, count) == 16 &&
              offsetof(FileEntryList, blocks) == 24 && offsetof(FileEntryList, freeNodes) == 32 &&
              offsetof(FileEntryList, blockSize) == 40);
static_assert(offsetof(FileEntryNode, prev) == 8 && offsetof(FileEntryNode, entry) == 16);
static_assert(node_blocks::kSlotsOffset == 8, "a block's node slots follow its one link");
#endif
static_assert(offsetof(FileEntryList, head) == 0 && offsetof(FileEntryNode, next) == 0);
static_assert(offsetof(FileEntry, flags) == sizeof(std::string), "the flags byte follows the name");

}  // namespace tolvane
