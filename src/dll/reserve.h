// A fixed block of memory handed out front to back and never taken back: the allocations the
// C++ runtime makes while the module prepares its exceptions at load come from here when memory
// has run out (low_memory_exceptions.cpp). Plain logic, so that its bounds are tested natively.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>

namespace tolvane {

template <std::size_t Bytes>
class Reserve {
 public:
  static constexpr std::size_t kHeader = 16;  // the block's size, keeping blocks 16-byte aligned

  // Room for `size` bytes, zero (the reserve's memory is zero until handed out) and 16-byte
  // aligned, or null when it does not fit. Every block, an empty one too, lies inside the reserve.
  void* Take(std::size_t size) {
    if (size > Bytes) return nullptr;
    const std::size_t need = kHeader + (size == 0 ? 16 : (size + 15) / 16 * 16);
    if (need > Bytes - used_) return nullptr;
    std::memcpy(bytes_ + used_, &size, sizeof size);
    unsigned char* block = bytes_ + used_ + kHeader;
    used_ += need;
    return block;
  }

  bool Holds(const void* block) const {
    // One unsigned comparison: an address below the reserve wraps round to a large offset.
    return reinterpret_cast<std::uintptr_t>(block) - reinterpret_cast<std::uintptr_t>(bytes_) <
           Bytes;
  }

  // The size a block from Take was asked for.
  static std::size_t SizeOf(const void* block) {
    std::size_t size;
    std::memcpy(&size, static_cast<const unsigned char*>(block) - kHeader, sizeof size);
    return size;
  }

 private:
  alignas(16) unsigned char bytes_[Bytes]{};
  std::size_t used_ = 0;
};

}  // namespace tolvane
