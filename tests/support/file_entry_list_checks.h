// Checks of a FileEntryList's shape that do not trust its own bookkeeping: they walk the nodes.
// Header-only, for unit tests and fuzz programs alike.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "filelist/file_entry_ops.h"
#include "filelist/file_list_writer.h"
#include "tolvane/file_entry_list.h"

namespace tolvane::testing {

// Empty when the list holds together: count equals the nodes reachable from head, every prev
// names the node before, tail is the last node, head/tail/count are null or zero together.
inline std::string ListShapeProblem(const FileEntryList& list) {
  uint32_t reached = 0;
  const FileEntryNode* previous = nullptr;
  for (const FileEntryNode* node = list.head; node != nullptr; node = node->next) {
    if (node->prev != previous) return "a prev link does not name the node before";
    previous = node;
    if (++reached > list.count) return "more nodes than count";
  }
  if (reached != list.count) return "fewer nodes than count";
  if (list.tail != previous) return "tail is not the last node";
  if ((list.head == nullptr) != (list.count == 0)) return "head and count disagree";
  return {};
}

using EntryList = std::vector<std::pair<std::string, uint8_t>>;

// Appends each name with its flags (the list keeps bits 0 and 1).
inline void Fill(FileEntryList& list, const EntryList& entries) {
  for (const auto& [name, flags] : entries) AppendEntry(list, name, flags);
}

// The file-list file's bytes for these entries.
inline std::vector<uint8_t> Encoded(const EntryList& entries) {
  FileEntryList list;
  Fill(list, entries);
  std::vector<uint8_t> bytes;
  EncodeFileList(list, bytes);
  return bytes;
}

// Names and flags in list order.
inline std::vector<std::pair<std::string, uint8_t>> Entries(const FileEntryList& list) {
  std::vector<std::pair<std::string, uint8_t>> entries;
  for (const FileEntry& entry : list) entries.emplace_back(NameOf(entry), entry.flags);
  return entries;
}

}  // namespace tolvane::testing
