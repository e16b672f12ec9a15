// Copies of the short texts cells are made of (a title, an extension) without a library call:
// for the few bytes of a cell, the call to memcpy and its choice of method cost more than the copy.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>

namespace tolvane {

// Copies count bytes from `from` to `to` (which do not overlap). Up to 32 bytes are moved as two
// pieces of a fixed size that overlap in the middle; longer copies go to memcpy.
inline void CopyShortText(char* to, const char* from, std::size_t count) {
  const auto movePair = [&](auto piece) {
    decltype(piece) head, tail;
    std::memcpy(&head, from, sizeof piece);
    std::memcpy(&tail, from + count - sizeof piece, sizeof piece);
    std::memcpy(to, &head, sizeof piece);
    std::memcpy(to + count - sizeof piece, &tail, sizeof piece);
  };
  struct Block16 {
    uint64_t low, high;
  };
  if (count > 32) {
    std::memcpy(to, from, count);
  } else if (count >= 16) {
    movePair(Block16{});
  } else if (count >= 8) {
    movePair(uint64_t{});
  } else if (count >= 4) {
    movePair(uint32_t{});
  } else if (count >= 2) {
    movePair(uint16_t{});
  } else if (count == 1) {
    *to = *from;
  }
}

}  // namespace tolvane
