// What the module's code does with file entries beyond the shared header: a name's bytes (a name
// may hold zero bytes), an append that reports a shortage of memory as the out-of-memory
// exception (the table entries turn it into their failure results), and exchanging two lists.
#pragma once

#include <new>
#include <string_view>
#include <utility>

#include "tolvane/file_entry_list.h"

namespace tolvane {

inline std::string_view NameOf(const FileEntry& entry) {
  if (entry.name == nullptr) return {};
  return {entry.name, entry.nameLength};
}

// Throws std::bad_alloc when the list cannot take the name; the list is then as it was.
inline void AppendEntry(FileEntryList& list, std::string_view name, uint8_t flags) {
  if (!list.AppendName(name.data(), static_cast<uint32_t>(name.size()), flags)) {
    throw std::bad_alloc();
  }
}

// Exchanges the two lists' headers (both lists' memory comes from the one shared allocator).
inline void SwapFileEntryLists(FileEntryList& a, FileEntryList& b) noexcept {
  std::swap(a.head, b.head);
  std::swap(a.tail, b.tail);
  std::swap(a.count, b.count);
  std::swap(a.blocks, b.blocks);
  std::swap(a.freeNodes, b.freeNodes);
  std::swap(a.blockSize, b.blockSize);
}

}  // namespace tolvane
