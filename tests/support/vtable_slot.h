// Which virtual slot a member function occupies, read from its member-pointer representation
// (Itanium C++ ABI, used by g++ and clang natively and by MinGW-w64): for a virtual function the
// pointer holds 1 + the byte offset of its slot in the vtable.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>

namespace tolvane::testing {

template <typename MemberFunction>
std::ptrdiff_t VirtualSlotOf(MemberFunction function) {
  static_assert(sizeof(MemberFunction) == 2 * sizeof(void*), "expects an Itanium member pointer");
  std::uintptr_t words[2];
  std::memcpy(words, &function, sizeof words);
  if ((words[0] & 1u) == 0) return -1;  // not virtual
  return std::ptrdiff_t((words[0] - 1) / sizeof(void*));
}

}  // namespace tolvane::testing
