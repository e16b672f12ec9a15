#include "filelist/body_mask.h"

#include <cstring>

namespace tolvane {

namespace {

constexpr uint8_t kMaskPeriod[8] = {0x80, 0x40, 0x20, 0x10, 0x08, 0x04, 0x02, 0x01};

}  // namespace

void ApplyBodyMask(uint8_t* bytes, std::size_t size) {
  // The mask repeats every 8 bytes, so one 64-bit word covers a whole period (memcpy keeps the
  // word in memory order whatever the machine's byte order).
  uint64_t wordMask;
  std::memcpy(&wordMask, kMaskPeriod, sizeof wordMask);
  std::size_t i = 0;
  for (; i + 8 <= size; i += 8) {
    uint64_t word;
    std::memcpy(&word, bytes + i, sizeof word);
    word ^= wordMask;
    std::memcpy(bytes + i, &word, sizeof word);
  }
  for (; i < size; ++i) bytes[i] ^= kMaskPeriod[i % 8];
}

}  // namespace tolvane
