// Screenshots are real PNG files: reading one back gives the pixels that went in.
#include "png_image.h"

#include <gtest/gtest.h>

#include <string>

namespace tolvane::host {
namespace {

std::span<const uint8_t> Bytes(const std::string& text) {
  return {reinterpret_cast<const uint8_t*>(text.data()), text.size()};
}

uint32_t BigEndian(const std::vector<uint8_t>& data, std::size_t at) {
  return uint32_t(data[at]) << 24 | uint32_t(data[at + 1]) << 16 | uint32_t(data[at + 2]) << 8 |
         data[at + 3];
}

TEST(PngImage, ChecksumsMatchKnownValues) {
  EXPECT_EQ(Crc32(Bytes("123456789")), 0xCBF43926u);
  EXPECT_EQ(Adler32(Bytes("Wikipedia")), 0x11E60398u);
  EXPECT_EQ(Crc32(Bytes("")), 0u);
}

// Walks the chunks, checks every CRC, and inflates the stored blocks back into rows.
std::vector<uint8_t> DecodeStored(const std::vector<uint8_t>& png, uint32_t& width,
                                  uint32_t& height) {
  EXPECT_EQ(std::vector<uint8_t>(png.begin(), png.begin() + 8),
            (std::vector<uint8_t>{0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'}));
  std::vector<uint8_t> zlib;
  std::size_t at = 8;
  std::string last;
  while (at + 12 <= png.size()) {
    const uint32_t length = BigEndian(png, at);
    const std::string type(png.begin() + long(at) + 4, png.begin() + long(at) + 8);
    EXPECT_EQ(BigEndian(png, at + 8 + length),
              Crc32(std::span<const uint8_t>(png.data() + at + 4, length + 4)))
        << type;
    if (type == "IHDR") {
      width = BigEndian(png, at + 8);
      height = BigEndian(png, at + 12);
      EXPECT_EQ(png[at + 16], 8);  // bit depth
      EXPECT_EQ(png[at + 17], 2);  // truecolour
    } else if (type == "IDAT") {
      zlib.insert(zlib.end(), png.begin() + long(at) + 8, png.begin() + long(at) + 8 + length);
    }
    last = type;
    at += 12 + length;
  }
  EXPECT_EQ(last, "IEND");
  EXPECT_EQ(at, png.size());
  EXPECT_EQ((zlib[0] << 8 | zlib[1]) % 31, 0);  // zlib header check bits
  std::vector<uint8_t> raw;
  std::size_t z = 2;
  bool final = false;
  while (!final) {
    final = zlib[z] & 1;
    EXPECT_EQ(zlib[z] & 6, 0);  // stored
    const uint16_t len = uint16_t(zlib[z + 1] | zlib[z + 2] << 8);
    const uint16_t nlen = uint16_t(zlib[z + 3] | zlib[z + 4] << 8);
    EXPECT_EQ(uint16_t(~len), nlen);
    raw.insert(raw.end(), zlib.begin() + long(z) + 5, zlib.begin() + long(z) + 5 + len);
    z += 5 + len;
  }
  EXPECT_EQ(BigEndian(zlib, z), Adler32(raw));
  EXPECT_EQ(z + 4, zlib.size());
  return raw;
}

TEST(PngImage, RoundTripsPixelsAcrossSeveralStoredBlocks) {
  const uint32_t width = 300, height = 90;  // 90 rows of 901 bytes need two stored blocks
  std::vector<uint8_t> rgb(std::size_t(width) * height * 3);
  for (std::size_t i = 0; i < rgb.size(); ++i) rgb[i] = uint8_t(i * 7 + i / 901);
  uint32_t w = 0, h = 0;
  const auto raw = DecodeStored(EncodePng(width, height, rgb), w, h);
  EXPECT_EQ(w, width);
  EXPECT_EQ(h, height);
  ASSERT_EQ(raw.size(), (width * 3 + 1) * height);
  for (uint32_t y = 0; y < height; ++y) {
    ASSERT_EQ(raw[y * (width * 3 + 1)], 0) << "row " << y << " filter";
    ASSERT_TRUE(std::equal(rgb.begin() + long(y) * width * 3, rgb.begin() + long(y + 1) * width * 3,
                           raw.begin() + long(y) * (width * 3 + 1) + 1))
        << "row " << y;
  }
}

TEST(PngImage, OnePixel) {
  const std::vector<uint8_t> red{255, 0, 0};
  uint32_t w = 0, h = 0;
  EXPECT_EQ(DecodeStored(EncodePng(1, 1, red), w, h), (std::vector<uint8_t>{0, 255, 0, 0}));
}

}  // namespace
}  // namespace tolvane::host
