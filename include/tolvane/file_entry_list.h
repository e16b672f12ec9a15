// The workspace file list, shared in shape and code with the host: a doubly linked list of
// FileEntry records whose nodes come from a pool of node blocks. Header-only, so that a host runs
// the very same Clear and Append on its own lists, whatever its compiler. Node blocks and names of
// host and module come from one process-wide allocator (the process heap on Windows), because
// each side releases what the other allocated. Nothing here throws: Append reports a shortage of
// memory by its result.
#pragma once

#include <stddef.h>
#include <stdint.h>

#ifdef _WIN32
#include <windows.h>
#else
#include <new>
#endif

namespace tolvane {

// A file name with two flag bits: bit 0 (kFileInProject) and bit 1 (kFileSecondFlag) carry
// meaning; bits 2 to 7 are never copied, read or stored.
// `name` is owned by the list node that holds the entry: nameLength bytes, then a terminating 0,
// allocated with node_blocks::Allocate; null only for an empty name. A name read from a file may
// hold zero bytes of its own, so nameLength, not the terminator, gives its end.
struct FileEntry {
  char* name;
  uint8_t flags;
  uint32_t nameLength;
};

inline constexpr uint8_t kFileInProject = 0x01;
inline constexpr uint8_t kFileSecondFlag = 0x02;
inline constexpr uint8_t kFileMeaningfulBits = kFileInProject | kFileSecondFlag;

struct FileEntryNode {
  FileEntryNode* next;
  FileEntryNode* prev;
  FileEntry entry;  // meaningful only while the node is in the list
};

// A block is a link to the previously allocated block followed by blockSize node slots.
struct FileEntryBlock {
  FileEntryBlock* previous;
};

namespace node_blocks {

inline constexpr size_t kSlotsOffset = (sizeof(FileEntryBlock) + alignof(FileEntryNode) - 1) /
                                       alignof(FileEntryNode) * alignof(FileEntryNode);

// The allocator that host and module share; null when memory runs out. Release gives memory
// back to it (null is ignored).
inline void* Allocate(size_t bytes) {
#ifdef _WIN32
  return ::HeapAlloc(::GetProcessHeap(), 0, bytes);
#else
  return ::operator new(bytes, std::nothrow);
#endif
}

inline void Release(void* memory) {
  if (memory == nullptr) return;
#ifdef _WIN32
  ::HeapFree(::GetProcessHeap(), 0, memory);
#else
  ::operator delete(memory);
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

  // Releases every entry's name and every block; blockSize stays.
  void Clear() {
    while (count > 0 && head != nullptr) {
      FileEntryNode* node = head;
      head = node->next;
      node_blocks::Release(node->entry.name);
      node->entry.name = nullptr;
      --count;
    }
    head = nullptr;
    tail = nullptr;
    count = 0;
    freeNodes = nullptr;
    while (blocks != nullptr) {
      FileEntryBlock* previous = blocks->previous;
      node_blocks::Release(blocks);
      blocks = previous;
    }
  }

  // Adds a copy of the entry (name and bits 0 and 1) after the tail. False, with the list's
  // entries as they were, when memory for a block or the name cannot be had.
  bool Append(const FileEntry& source) {
    return AppendName(source.name, source.nameLength, source.flags);
  }

  // The same from `length` bytes at `name` (null only when length is 0).
  bool AppendName(const char* name, uint32_t length, uint8_t flags) {
    if (freeNodes == nullptr && !AddBlock()) return false;
    char* copy = static_cast<char*>(node_blocks::Allocate(size_t(length) + 1));
    // If the name cannot be copied the node simply stays at the front of the free chain.
    if (copy == nullptr) return false;
    for (uint32_t i = 0; i < length; ++i) copy[i] = name[i];
    copy[length] = '\0';
    FileEntryNode* node = freeNodes;
    node->entry.name = copy;
    node->entry.nameLength = length;
    node->entry.flags = uint8_t(flags & kFileMeaningfulBits);
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
    return true;
  }

  // The same from a NUL-terminated text (null reads as empty).
  bool AppendText(const char* text, uint8_t flags) {
    uint32_t length = 0;
    if (text != nullptr) {
      while (text[length] != '\0') ++length;
    }
    return AppendName(text, length, flags);
  }

  class const_iterator {
   public:
    const_iterator() = default;
    explicit const_iterator(const FileEntryNode* node) : node_(node) {}
    const FileEntry& operator*() const { return node_->entry; }
    const FileEntry* operator->() const { return &node_->entry; }
    const_iterator& operator++() {
      node_ = node_->next;
      return *this;
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
  bool AddBlock() {
    const size_t slots = blockSize > 0 ? size_t(blockSize) : 1;
    // A block size from a host's list must not wrap the byte count round to a small block.
    if (slots > (SIZE_MAX - node_blocks::kSlotsOffset) / sizeof(FileEntryNode)) return false;
    void* memory = node_blocks::Allocate(node_blocks::kSlotsOffset + slots * sizeof(FileEntryNode));
    if (memory == nullptr) return false;
    auto* block = static_cast<FileEntryBlock*>(memory);
    block->previous = blocks;
    blocks = block;
    FileEntryNode* first = node_blocks::Slots(block);
    for (size_t i = 0; i + 1 < slots; ++i) first[i].next = &first[i + 1];
    first[slots - 1].next = freeNodes;
    freeNodes = first;
    return true;
  }
};

// Host and module read each other's lists, nodes, blocks and entries field by field: the layouts
// below are part of the contract, one set per pointer size (natural alignment, fields in order).
#if UINTPTR_MAX == 0xFFFFFFFFu
static_assert(sizeof(FileEntryList) == 24, "the list header is six 4-byte fields");
static_assert(offsetof(FileEntryList, tail) == 4 && offsetof(FileEntryList, count) == 8 &&
              offsetof(FileEntryList, blocks) == 12 && offsetof(FileEntryList, freeNodes) == 16 &&
              offsetof(FileEntryList, blockSize) == 20);
static_assert(offsetof(FileEntryNode, prev) == 4 && offsetof(FileEntryNode, entry) == 8);
static_assert(sizeof(FileEntry) == 12 && offsetof(FileEntry, nameLength) == 8);
static_assert(node_blocks::kSlotsOffset == 4, "a block's node slots follow its one link");
#else
// The two 32-bit fields each take 8 bytes, padded for the pointer after them.
static_assert(sizeof(FileEntryList) == 48, "the list header is six 8-byte fields");
static_assert(offsetof(FileEntryList, tail) == 8 && offsetof(FileEntryList, count) == 16 &&
              offsetof(FileEntryList, blocks) == 24 && offsetof(FileEntryList, freeNodes) == 32 &&
              offsetof(FileEntryList, blockSize) == 40);
static_assert(offsetof(FileEntryNode, prev) == 8 && offsetof(FileEntryNode, entry) == 16);
static_assert(sizeof(FileEntry) == 16 && offsetof(FileEntry, nameLength) == 12);
static_assert(node_blocks::kSlotsOffset == 8, "a block's node slots follow its one link");
#endif
static_assert(offsetof(FileEntryList, head) == 0 && offsetof(FileEntryNode, next) == 0);
static_assert(offsetof(FileEntry, name) == 0 && offsetof(FileEntry, flags) == sizeof(char*),
              "the flags byte follows the name");

}  // namespace tolvane
