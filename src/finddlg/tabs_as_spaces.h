// Copying a text with every tab turned into a space. Inline: the cells it serves are a few dozen
// bytes, where a call costs about as much as the copy.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>

// The 32-bit Windows compiler does not assume SSE2 by default; every processor a supported
// Windows runs on has it, so the vector copy is compiled for it there too.
#if defined(__SSE2__)
#define TOLVANE_TABS_AS_SPACES_SSE2
#define TOLVANE_TABS_AS_SPACES_TARGET
#elif defined(__GNUC__) && defined(__i386__)
#define TOLVANE_TABS_AS_SPACES_SSE2
#define TOLVANE_TABS_AS_SPACES_TARGET __attribute__((target("sse2")))
#else
#define TOLVANE_TABS_AS_SPACES_TARGET
#endif
#if defined(TOLVANE_TABS_AS_SPACES_SSE2)
#include <emmintrin.h>
#endif

namespace tolvane {
namespace tabs_as_spaces {

// Eight bytes at a time in one 64-bit word: each tab byte is found exactly (no carries between
// bytes) and turned into a space by one exclusive-or.
inline constexpr std::size_t kWord = sizeof(uint64_t);
inline constexpr uint64_t kEveryByte = 0x0101010101010101u;

inline void CopyWordTabsAsSpaces(char* to, const char* from) {
  uint64_t word;
  std::memcpy(&word, from, kWord);
  const uint64_t tabsZero = word ^ (kEveryByte * '\t');
  const uint64_t low7 = kEveryByte * 0x7F;
  // High bit of each byte that is zero in tabsZero, that is, of each tab.
  const uint64_t isTab = ~(((tabsZero & low7) + low7) | tabsZero | low7);
  word ^= (isTab >> 7) * ('\t' ^ ' ');
  std::memcpy(to, &word, kWord);
}

#if defined(TOLVANE_TABS_AS_SPACES_SSE2)
// Sixteen bytes at a time: a tab's byte compares equal to all ones, which keeps the tab-to-space
// difference for the exclusive-or.
inline constexpr std::size_t kVector = 16;

TOLVANE_TABS_AS_SPACES_TARGET inline void CopyVectorTabsAsSpaces(char* to, const char* from) {
  const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(from));
  const __m128i change =
      _mm_and_si128(_mm_cmpeq_epi8(bytes, _mm_set1_epi8('\t')), _mm_set1_epi8('\t' ^ ' '));
  _mm_storeu_si128(reinterpret_cast<__m128i*>(to), _mm_xor_si128(bytes, change));
}
#endif

}  // namespace tabs_as_spaces

// Copies length bytes from `from` to `to` with every tab turned into a space, in one pass: copying
// first and replacing in place afterwards reads back bytes just stored, which costs about twice as
// much. A last piece shorter than a chunk is copied again as a whole chunk ending at the end: the
// same source gives the same bytes.
TOLVANE_TABS_AS_SPACES_TARGET inline void CopyTabsAsSpaces(char* to, const char* from,
                                                           std::size_t length) {
  using namespace tabs_as_spaces;
#if defined(TOLVANE_TABS_AS_SPACES_SSE2)
  if (length >= kVector) {
    // Two vectors a step from the front, then the two that end at the end (overlapping what is
    // done): few steps, so the loop's end is rarely mispredicted for texts of varied lengths.
    if (length >= 2 * kVector) {
      for (std::size_t i = 0; i + 2 * kVector < length; i += 2 * kVector) {
        CopyVectorTabsAsSpaces(to + i, from + i);
        CopyVectorTabsAsSpaces(to + i + kVector, from + i + kVector);
      }
      CopyVectorTabsAsSpaces(to + length - 2 * kVector, from + length - 2 * kVector);
    } else {
      CopyVectorTabsAsSpaces(to, from);
    }
    CopyVectorTabsAsSpaces(to + length - kVector, from + length - kVector);
    return;
  }
#endif
  if (length >= kWord) {
    std::size_t i = 0;
    for (; i + kWord <= length; i += kWord) CopyWordTabsAsSpaces(to + i, from + i);
    if (i != length) CopyWordTabsAsSpaces(to + length - kWord, from + length - kWord);
    return;
  }
  for (std::size_t i = 0; i < length; ++i) to[i] = from[i] == '\t' ? ' ' : from[i];
}

}  // namespace tolvane
