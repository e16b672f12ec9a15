#include "png_image.h"

#include <algorithm>
#include <array>
#include <cassert>
#include <string_view>

namespace tolvane::host {

namespace {

constexpr std::array<uint32_t, 256> MakeCrcTable() {
  std::array<uint32_t, 256> table{};
  for (uint32_t n = 0; n < 256; ++n) {
    uint32_t c = n;
    for (int k = 0; k < 8; ++k) c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
    table[n] = c;
  }
  return table;
}
constexpr auto kCrcTable = MakeCrcTable();

void PutBigEndian(std::vector<uint8_t>& out, uint32_t value) {
  out.push_back(uint8_t(value >> 24));
  out.push_back(uint8_t(value >> 16));
  out.push_back(uint8_t(value >> 8));
  out.push_back(uint8_t(value));
}

void PutChunk(std::vector<uint8_t>& out, std::string_view type, std::span<const uint8_t> data) {
  PutBigEndian(out, uint32_t(data.size()));
  const std::size_t typeAt = out.size();
  out.insert(out.end(), type.begin(), type.end());
  out.insert(out.end(), data.begin(), data.end());
  // The CRC covers the chunk type and its data.
  PutBigEndian(out, Crc32(std::span<const uint8_t>(out.data() + typeAt, 4 + data.size())));
}

}  // namespace

uint32_t Crc32(std::span<const uint8_t> bytes, uint32_t crc) {
  crc = ~crc;
  for (uint8_t b : bytes) crc = kCrcTable[(crc ^ b) & 0xFF] ^ (crc >> 8);
  return ~crc;
}

uint32_t Adler32(std::span<const uint8_t> bytes) {
  uint32_t a = 1, b = 0;
  for (uint8_t byte : bytes) {
    a = (a + byte) % 65521;
    b = (b + a) % 65521;
  }
  return (b << 16) | a;
}

std::vector<uint8_t> EncodePng(uint32_t width, uint32_t height, std::span<const uint8_t> rgb) {
  assert(rgb.size() == std::size_t(width) * height * 3 && "one RGB triple per pixel");
  // Each row is preceded by its filter type, 0 (none).
  std::vector<uint8_t> raw;
  raw.reserve((std::size_t(width) * 3 + 1) * height);
  for (uint32_t y = 0; y < height; ++y) {
    raw.push_back(0);
    auto row = rgb.subspan(std::size_t(y) * width * 3, std::size_t(width) * 3);
    raw.insert(raw.end(), row.begin(), row.end());
  }

  std::vector<uint8_t> zlib{0x78, 0x01};
  std::size_t offset = 0;
  do {
    const std::size_t length = std::min<std::size_t>(65535, raw.size() - offset);
    const bool last = offset + length == raw.size();
    zlib.push_back(last ? 1 : 0);  // BFINAL, BTYPE 00 (stored)
    zlib.push_back(uint8_t(length));
    zlib.push_back(uint8_t(length >> 8));
    zlib.push_back(uint8_t(~length));
    zlib.push_back(uint8_t(~length >> 8));
    zlib.insert(zlib.end(), raw.begin() + std::ptrdiff_t(offset),
                raw.begin() + std::ptrdiff_t(offset + length));
    offset += length;
  } while (offset < raw.size());
  PutBigEndian(zlib, Adler32(raw));

  std::vector<uint8_t> png{0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  std::vector<uint8_t> header;
  PutBigEndian(header, width);
  PutBigEndian(header, height);
  header.insert(header.end(),
                {8, 2, 0, 0, 0});  // 8 bits, truecolour, deflate, filter, no interlace
  PutChunk(png, "IHDR", header);
  PutChunk(png, "IDAT", zlib);
  PutChunk(png, "IEND", {});
  return png;
}

}  // namespace tolvane::host
