// The DLL's reserve for the exceptions it prepares at load: every block it hands out, an empty
// one too, lies inside it (a block past its end would reach the C runtime's free as its own).
#include "dll/reserve.h"

#include <gtest/gtest.h>

#include <cstdint>

namespace tolvane {
namespace {

TEST(Reserve, EveryBlockLiesInsideOrNoneIsGiven) {
  constexpr std::size_t kBytes = 128;
  struct Row {
    std::size_t taken;  // the size of a first block, so that kBytes - 16 - taken rounded is left
    std::size_t size;
    bool given;
  };
  // A block takes a 16-byte header and its size rounded up to 16 bytes, at least 16.
  const Row rows[] = {
      {80, 0, true},    // 32 bytes left: header and an empty block's 16 bytes
      {96, 0, false},   // 16 bytes left: the header alone, no room for an empty block
      {80, 16, true},   // 32 left, 16 asked: fits exactly
      {80, 17, false},  // rounds to 32
      {0, 112, true},   // the whole reserve
      {0, kBytes + 1, false},
  };
  for (const Row& row : rows) {
    Reserve<kBytes> reserve{};
    if (row.taken != 0) {
      ASSERT_NE(reserve.Take(row.taken), nullptr);
    }
    void* block = reserve.Take(row.size);
    EXPECT_EQ(block != nullptr, row.given) << row.taken << " " << row.size;
    if (block == nullptr) continue;
    EXPECT_TRUE(reserve.Holds(block));
    EXPECT_EQ(Reserve<kBytes>::SizeOf(block), row.size);
    EXPECT_EQ(reinterpret_cast<std::uintptr_t>(block) % 16, 0u);
    const auto* last =
        static_cast<const unsigned char*>(block) + (row.size == 0 ? 0 : row.size - 1);
    EXPECT_TRUE(reserve.Holds(last)) << row.taken << " " << row.size;
  }
}

}  // namespace
}  // namespace tolvane
