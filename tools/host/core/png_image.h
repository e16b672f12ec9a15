// A minimal PNG encoder for the host's screenshots: 8-bit RGB, zlib stored (uncompressed)
// blocks, so no compression library is needed.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

namespace tolvane::host {

uint32_t Crc32(std::span<const uint8_t> bytes, uint32_t crc = 0);
uint32_t Adler32(std::span<const uint8_t> bytes);

// `rgb` holds height rows of width pixels, 3 bytes each, top row first.
std::vector<uint8_t> EncodePng(uint32_t width, uint32_t height, std::span<const uint8_t> rgb);

}  // namespace tolvane::host
