// The rolling exclusive-or over the file-list body: the byte at body position i takes
// 0x80 >> (i mod 8). Applying it twice restores the bytes, so writer and reader share it.
#pragma once

#include <cstddef>
#include <cstdint>

namespace tolvane {

// Masks (or unmasks) `size` bytes whose first byte is body position 0 (file offset 6).
void ApplyBodyMask(uint8_t* bytes, std::size_t size);

}  // namespace tolvane
