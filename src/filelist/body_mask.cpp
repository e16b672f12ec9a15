#include "filelist/body_mask.h"

#include <cstring>

// The 32-bit Windows compiler does not assume SSE2 by default; every processor a supported
// Windows runs on has it, so the vector loop is compiled for it there too.
#if defined(__SSE2__)
#define TOLVANE_BODY_MASK_SSE2
#define TOLVANE_SSE2_FUNCTION
#elif defined(__GNUC__) && defined(__i386__)
#define TOLVANE_BODY_MASK_SSE2
#define TOLVANE_SSE2_FUNCTION __attribute__((target("sse2")))
#endif
#if defined(TOLVANE_BODY_MASK_SSE2)
#include <emmintrin.h>
#endif

namespace tolvane {

namespace {

constexpr uint8_t kMaskPeriod[8] = {0x80, 0x40, 0x20, 0x10, 0x08, 0x04, 0x02, 0x01};

uint64_t WordMask() {
  // memcpy keeps the word in memory order whatever the machine's byte order.
  uint64_t mask;
  std::memcpy(&mask, kMaskPeriod, sizeof mask);
  return mask;
}

#if defined(TOLVANE_BODY_MASK_SSE2)
// Masks whole 16-byte vectors from the start (each holds two periods, so every vector starts at
// body position 0 mod 8) and returns how many bytes it masked. Four vectors a step, so that the
// loop's own instructions do not hold back a pass that only memory bandwidth should limit.
TOLVANE_SSE2_FUNCTION std::size_t MaskVectors(uint8_t* bytes, std::size_t size) {
  const __m128i mask = _mm_set1_epi64x(static_cast<long long>(WordMask()));
  auto* at = reinterpret_cast<__m128i*>(bytes);
  std::size_t i = 0;
  for (; i + 64 <= size; i += 64, at += 4) {
    const __m128i a = _mm_loadu_si128(at);
    const __m128i b = _mm_loadu_si128(at + 1);
    const __m128i c = _mm_loadu_si128(at + 2);
    const __m128i d = _mm_loadu_si128(at + 3);
    _mm_storeu_si128(at, _mm_xor_si128(a, mask));
    _mm_storeu_si128(at + 1, _mm_xor_si128(b, mask));
    _mm_storeu_si128(at + 2, _mm_xor_si128(c, mask));
    _mm_storeu_si128(at + 3, _mm_xor_si128(d, mask));
  }
  for (; i + 16 <= size; i += 16, ++at)
    _mm_storeu_si128(at, _mm_xor_si128(_mm_loadu_si128(at), mask));
  return i;
}
#endif

}  // namespace

void ApplyBodyMask(uint8_t* bytes, std::size_t size) {
  std::size_t i = 0;
#if defined(TOLVANE_BODY_MASK_SSE2)
  i = MaskVectors(bytes, size);
#endif
  // The mask repeats every 8 bytes, so one 64-bit word covers a whole period.
  const uint64_t word_mask = WordMask();
  for (; i + 8 <= size; i += 8) {
    uint64_t word;
    std::memcpy(&word, bytes + i, sizeof word);
    word ^= word_mask;
    std::memcpy(bytes + i, &word, sizeof word);
  }
  for (; i < size; ++i) bytes[i] ^= kMaskPeriod[i % 8];
}

}  // namespace tolvane
