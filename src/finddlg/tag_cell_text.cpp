#include "finddlg/tag_cell_text.h"

#include <cstdint>
#include <cstring>
#include <iterator>

#include "finddlg/file_cell_text.h"

// The 32-bit Windows compiler does not assume SSE2 by default; every processor a supported
// Windows runs on has it, so the vector copy is compiled for it there too.
#if defined(__SSE2__)
#define TOLVANE_LINE_TEXT_SSE2
#define TOLVANE_SSE2_FUNCTION
#elif defined(__GNUC__) && defined(__i386__)
#define TOLVANE_LINE_TEXT_SSE2
#define TOLVANE_SSE2_FUNCTION __attribute__((target("sse2")))
#else
#define TOLVANE_SSE2_FUNCTION
#endif
#if defined(TOLVANE_LINE_TEXT_SSE2)
#include <emmintrin.h>
#endif

namespace tolvane {

namespace {

// Indexed by kind number; "File" is kind 5, not in alphabetical place.
constexpr const char* kKindLabels[] = {"Class",   "Decl",     "Define",  "Enum",   "EnumVal",
                                       "File",    "Function", "MemVar",  "NSpace", "Struct",
                                       "Typedef", "Union",    "Variable"};
static_assert(std::size(kKindLabels) == kTagKindCount, "one label per tag kind");

const char* OrEmpty(const char* text) {
  return text != nullptr ? text : "";
}

// Eight bytes at a time in one 64-bit word: each tab byte is found exactly (no carries between
// bytes) and turned into a space by one exclusive-or.
constexpr std::size_t kWord = sizeof(uint64_t);
constexpr uint64_t kEveryByte = 0x0101010101010101u;

void CopyWordTabsAsSpaces(char* to, const char* from) {
  uint64_t word;
  std::memcpy(&word, from, kWord);
  const uint64_t tabsZero = word ^ (kEveryByte * '\t');
  const uint64_t low7 = kEveryByte * 0x7F;
  // High bit of each byte that is zero in tabsZero, that is, of each tab.
  const uint64_t isTab = ~(((tabsZero & low7) + low7) | tabsZero | low7);
  word ^= (isTab >> 7) * ('\t' ^ ' ');
  std::memcpy(to, &word, kWord);
}

#if defined(TOLVANE_LINE_TEXT_SSE2)
// Sixteen bytes at a time: a tab's byte compares equal to all ones, which keeps the tab-to-space
// difference for the exclusive-or.
constexpr std::size_t kVector = 16;

TOLVANE_SSE2_FUNCTION void CopyVectorTabsAsSpaces(char* to, const char* from) {
  const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(from));
  const __m128i change =
      _mm_and_si128(_mm_cmpeq_epi8(bytes, _mm_set1_epi8('\t')), _mm_set1_epi8('\t' ^ ' '));
  _mm_storeu_si128(reinterpret_cast<__m128i*>(to), _mm_xor_si128(bytes, change));
}
#endif

// Copies length bytes from `from` to `to` with every tab turned into a space, in one pass: copying
// first and replacing in place afterwards reads back bytes just stored, which costs about twice as
// much. A last piece shorter than a chunk is copied again as a whole chunk ending at the end: the
// same source gives the same bytes.
TOLVANE_SSE2_FUNCTION void CopyTabsAsSpaces(char* to, const char* from, std::size_t length) {
#if defined(TOLVANE_LINE_TEXT_SSE2)
  if (length >= kVector) {
    std::size_t i = 0;
    for (; i + kVector <= length; i += kVector) CopyVectorTabsAsSpaces(to + i, from + i);
    if (i != length) CopyVectorTabsAsSpaces(to + length - kVector, from + length - kVector);
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

}  // namespace

const char* TagKindLabel(int32_t kind) {
  if (kind < 0 || kind >= kTagKindCount) return nullptr;
  return kKindLabels[kind];
}

const char* StoreLineText(DisplayTextRing& ring, std::string_view pattern) {
  const char* begin = pattern.data();
  const char* end = begin + pattern.size();
  while (begin != end && *begin == '^') ++begin;
  while (end != begin && end[-1] == '$') --end;
  const std::size_t length = static_cast<std::size_t>(end - begin);
  CopyTabsAsSpaces(ring.NextSlot(length), begin, length);
  return ring.Commit(length);
}

void AnswerTagDisplayRequest(DisplayRequest& request, const HostTagArray* tagArray,
                             DisplayTextRing& ring) {
  request.mask = kListItemText;
  if (request.row < 0 || tagArray == nullptr || tagArray->tags == nullptr) return;
  HostTagRecord* tag = tagArray->tags[request.row];
  if (tag == nullptr) return;
  switch (request.column) {
    case 0:
      if (const char* label = TagKindLabel(tag->Kind())) request.text = label;
      break;
    case 1:
      request.text = OrEmpty(tag->Namespace());
      break;
    case 2:
      request.text = OrEmpty(tag->ParentName());
      break;
    case 3:
      request.text = OrEmpty(tag->Name());
      break;
    case 4: {
      if (HostFileRecord* file = tag->File()) request.text = StoreRecordFileName(*file, ring);
      break;
    }
    case 5:
      request.text = StoreLineText(ring, OrEmpty(tag->Pattern()));
      break;
    default:
      break;
  }
}

}  // namespace tolvane
