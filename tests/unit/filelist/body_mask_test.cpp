// The body mask: 0x80 >> (i mod 8) over body position i, in one continuous run.
#include "filelist/body_mask.h"

#include <gtest/gtest.h>

#include <numeric>
#include <vector>

namespace tolvane {
namespace {

TEST(BodyMask, MasksZeroBytesWithThePeriodOfEight) {
  std::vector<uint8_t> bytes(20, 0);
  ApplyBodyMask(bytes.data(), bytes.size());
  const std::vector<uint8_t> expected = {0x80, 0x40, 0x20, 0x10, 0x08, 0x04, 0x02,
                                         0x01, 0x80, 0x40, 0x20, 0x10, 0x08, 0x04,
                                         0x02, 0x01, 0x80, 0x40, 0x20, 0x10};
  EXPECT_EQ(bytes, expected);
}

TEST(BodyMask, EveryLengthAndStartAgreesWithTheByteRule) {
  // The word loop and the tail must agree for all lengths that reach each of them, from any
  // alignment.
  std::vector<uint8_t> storage(160 + 8);
  for (std::size_t start = 0; start < 8; ++start) {
    for (std::size_t size = 0; size <= 160; ++size) {
      std::iota(storage.begin(), storage.end(), uint8_t(7));
      std::vector<uint8_t> original = storage;
      ApplyBodyMask(storage.data() + start, size);
      for (std::size_t i = 0; i < storage.size(); ++i) {
        const bool inside = i >= start && i < start + size;
        const uint8_t mask = uint8_t(inside ? 0x80 >> ((i - start) % 8) : 0);
        ASSERT_EQ(storage[i], uint8_t(original[i] ^ mask)) << "start " << start << " size " << size;
      }
    }
  }
}

TEST(BodyMask, TwiceGivesTheBytesBack) {
  std::vector<uint8_t> bytes(1001);
  std::iota(bytes.begin(), bytes.end(), uint8_t(0));
  const std::vector<uint8_t> original = bytes;
  ApplyBodyMask(bytes.data(), bytes.size());
  EXPECT_NE(bytes, original);
  ApplyBodyMask(bytes.data(), bytes.size());
  EXPECT_EQ(bytes, original);
}

}  // namespace
}  // namespace tolvane
