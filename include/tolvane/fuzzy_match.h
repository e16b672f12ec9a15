// A fuzzy matcher for hosts: scores a typed query against a text (a file name, a path, a tag) and
// tells which characters matched, so a host can rank its rows as a person expects and show the
// matched letters. Header-only, so every host compiles it with its own compiler and the module
// exports nothing more; nothing here throws, and matching allocates nothing.
//
// A text matches when the query's characters occur in it in order, not necessarily adjacent.
// Matching is case-insensitive unless the query holds an upper-case letter (smart case). Among
// the ways a query can match, the best one counts: a matched character scores more at the start
// of the text, after a path separator (/ or \), after _ - . space or other punctuation, and at a
// camelCase hump (an upper-case letter after a lower-case one); adjacent matched characters score
// more, and each gap between matched characters costs, the longer the more. A character matched
// in the last path component (the file name) scores more than one in the folders, so "list"
// puts src/lib/list.cpp ahead of src/list/a.c.
//
// Texts and queries are bytes in the thread's code page. With FuzzyEncoding::kUtf8 a multi-byte
// character is one character: it is never split and positions point at its first byte; a byte
// that begins no valid UTF-8 sequence is a character of its own that matches only itself. Case
// folds A-Z always and, in UTF-8, also the upper-case letters of Latin-1, basic Greek and basic
// Cyrillic; with kSingleByte bytes above 127 (whose meaning depends on the code page) match only
// themselves.
//
// The double-byte code pages 932 (Japanese), 936 (Simplified Chinese), 949 (Korean) and 950
// (Traditional Chinese) have encodings of their own; a host whose texts are in its ANSI code page
// passes FuzzyEncodingForCodePage(GetACP()). In them a lead byte and the byte after it are one
// character, so a Latin query never matches a second byte (which can be any byte from 40 up), a
// second byte that reads as / or \ separates nothing, and positions point at first bytes. The
// full-width Latin letters and digits match as their ASCII twins (a query "ab" finds a full-width
// "AB", and a full-width "A" is upper-case); every other double-byte character matches only
// itself. A lead byte as the text's last byte is a character of its own that matches only itself.
#pragma once

#include <stddef.h>
#include <stdint.h>

#include "tolvane/file_entry_list.h"  // node_blocks: the heap the SDK's headers share

namespace tolvane {

// How texts and queries are encoded: bytes of the thread's code page.
enum class FuzzyEncoding : uint8_t {
  kSingleByte = 0,
  kUtf8 = 1,
  kShiftJis = 2,  // code page 932: lead bytes 81-9F and E0-FC
  kGbk = 3,       // code page 936: lead bytes 81-FE
  kUhc = 4,       // code page 949: lead bytes 81-FE
  kBig5 = 5,      // code page 950: lead bytes 81-FE
};

// The encoding of a Windows code page's texts: kUtf8 for 65001, the four above for 932, 936,
// 949 and 950, kSingleByte for any other.
constexpr FuzzyEncoding FuzzyEncodingForCodePage(uint32_t codePage) {
  switch (codePage) {
    case 65001:
      return FuzzyEncoding::kUtf8;
    case 932:
      return FuzzyEncoding::kShiftJis;
    case 936:
      return FuzzyEncoding::kGbk;
    case 949:
      return FuzzyEncoding::kUhc;
    case 950:
      return FuzzyEncoding::kBig5;
    default:
      return FuzzyEncoding::kSingleByte;
  }
}
constexpr uint32_t kFuzzyMaxQuery = 128;  // characters; a longer query matches nothing

namespace fuzzy_detail {

// Score of one matched character, and what adds to it or takes from it.
constexpr int32_t kMatch = 16;
constexpr int32_t kBonusStart = 10;             // the text's first character
constexpr int32_t kBonusSeparator = 10;         // after / or backslash
constexpr int32_t kBonusDelimiter = 8;          // after _ - . space or other punctuation
constexpr int32_t kBonusHump = 7;               // an upper-case letter after a lower-case one
constexpr int32_t kBonusConsecutive = 5;        // right after the previous matched character
constexpr int32_t kBonusFileName = 4;           // in the last path component
constexpr int32_t kGapOpen = 3;                 // a gap of one character
constexpr int32_t kGapExtend = 1;               // each further character of a gap
constexpr int32_t kImpossible = INT32_MIN / 4;  // no alignment; far from overflow when added to

// The best alignment is searched among the characters from the query's first possible start to
// its last possible end; wider spans (texts of hundreds of characters) take the earliest
// alignment instead. The search's tables live on the stack: about 26 KB.
constexpr uint32_t kWindow = 512;

// Characters are code points; a byte that begins no valid UTF-8 sequence (and, with kSingleByte,
// every byte above 127) becomes a code above Unicode's range, equal only to itself. A double-byte
// character becomes kDoubleByte plus its two bytes, unless it is a full-width Latin letter or
// digit, which becomes its ASCII twin.
constexpr uint32_t kRawByte = 0x110000;
constexpr uint32_t kDoubleByte = 0x120000;

inline bool IsDoubleByte(FuzzyEncoding encoding) {
  return encoding > FuzzyEncoding::kUtf8;
}

inline bool IsLeadByte(uint32_t byte, FuzzyEncoding encoding) {
  if (encoding == FuzzyEncoding::kShiftJis) {
    return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
  }
  return byte >= 0x81 && byte <= 0xFE;
}

// The character of a lead byte and the byte after it.
inline uint32_t DoubleByte(uint32_t lead, uint32_t trail, FuzzyEncoding encoding) {
  const auto in = [trail](uint32_t first, uint32_t last) { return trail - first <= last - first; };
  switch (encoding) {
    case FuzzyEncoding::kShiftJis:  // 82 4F-58, 82 60-79, 82 81-9A
      if (lead != 0x82) break;
      if (in(0x4F, 0x58)) return '0' + (trail - 0x4F);
      if (in(0x60, 0x79)) return 'A' + (trail - 0x60);
      if (in(0x81, 0x9A)) return 'a' + (trail - 0x81);
      break;
    case FuzzyEncoding::kGbk:  // both keep full-width ASCII at A3 A1-FE
    case FuzzyEncoding::kUhc:
      if (lead == 0xA3 && (in(0xB0, 0xB9) || in(0xC1, 0xDA) || in(0xE1, 0xFA))) {
        return trail - 0x80;
      }
      break;
    default:  // kBig5: A2 AF-B8, A2 CF-E8, A2 E9-FE (a to v), A3 40-43 (w to z)
      if (lead == 0xA2 && in(0xAF, 0xB8)) return '0' + (trail - 0xAF);
      if (lead == 0xA2 && in(0xCF, 0xE8)) return 'A' + (trail - 0xCF);
      if (lead == 0xA2 && in(0xE9, 0xFE)) return 'a' + (trail - 0xE9);
      if (lead == 0xA3 && in(0x40, 0x43)) return 'w' + (trail - 0x40);
      break;
  }
  return kDoubleByte + (lead << 8 | trail);
}

enum CharClass : uint8_t { kStart, kLower, kUpper, kDigit, kSeparator, kDelimiter };

inline uint32_t Decode(const unsigned char* p, uint32_t left, FuzzyEncoding encoding,
                       uint32_t* size) {
  const uint32_t lead = p[0];
  *size = 1;
  if (lead < 0x80) return lead;
  if (encoding == FuzzyEncoding::kSingleByte) return kRawByte + lead;
  if (encoding != FuzzyEncoding::kUtf8) {
    // A lead byte as the text's last byte is a character of its own.
    if (left < 2 || !IsLeadByte(lead, encoding)) return kRawByte + lead;
    *size = 2;
    return DoubleByte(lead, p[1], encoding);
  }
  uint32_t more = 0, code = 0, least = 0;
  if (lead >= 0xC2 && lead <= 0xDF) {
    more = 1, code = lead & 0x1F, least = 0x80;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    more = 2, code = lead & 0x0F, least = 0x800;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    more = 3, code = lead & 0x07, least = 0x10000;
  } else {
    return kRawByte + lead;
  }
  if (more >= left) return kRawByte + lead;
  for (uint32_t i = 1; i <= more; ++i) {
    if ((p[i] & 0xC0) != 0x80) return kRawByte + lead;
    code = (code << 6) | (p[i] & 0x3Fu);
  }
  if (code < least || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) {
    return kRawByte + lead;
  }
  *size = more + 1;
  return code;
}

inline uint32_t Lower(uint32_t c) {
  if (c - 'A' < 26u) return c + 32;
  if (c < 0xC0) return c;
  if ((c <= 0xDE && c != 0xD7) || (c >= 0x391 && c <= 0x3AB && c != 0x3A2) ||
      (c >= 0x410 && c <= 0x42F)) {
    return c + 0x20;
  }
  if (c >= 0x400 && c <= 0x40F) return c + 0x50;
  return c;
}

inline CharClass ClassOf(uint32_t c) {
  if (c - 'a' < 26u) return kLower;
  if (c - 'A' < 26u) return kUpper;
  if (c - '0' < 10u) return kDigit;
  if (c == '/' || c == '\\') return kSeparator;
  if (c < 0x80) return kDelimiter;
  return Lower(c) != c ? kUpper : kLower;
}

inline int32_t Bonus(CharClass previous, CharClass current) {
  if (current == kSeparator || current == kDelimiter) return 0;
  switch (previous) {
    case kStart:
      return kBonusStart;
    case kSeparator:
      return kBonusSeparator;
    case kDelimiter:
      return kBonusDelimiter;
    case kLower:
      return current == kUpper ? kBonusHump : 0;
    default:
      return 0;
  }
}

// A query decoded once: its characters as typed and as compared (folded unless smart case made
// the match case-sensitive).
struct Query {
  uint32_t typed[kFuzzyMaxQuery];
  uint32_t key[kFuzzyMaxQuery];
  uint8_t upper[kFuzzyMaxQuery];  // for an ASCII query: the byte that also matches the key
  uint32_t length = 0;
  bool caseSensitive = false;
  bool ascii = true;

  // False when the query has more than kFuzzyMaxQuery characters.
  bool Read(const char* query, uint32_t queryLength, FuzzyEncoding encoding) {
    length = 0;
    caseSensitive = false;
    ascii = true;
    const auto* bytes = reinterpret_cast<const unsigned char*>(query);
    for (uint32_t offset = 0, size = 0; offset < queryLength; offset += size) {
      if (length == kFuzzyMaxQuery) return false;
      const uint32_t c = Decode(bytes + offset, queryLength - offset, encoding, &size);
      typed[length++] = c;
      if (Lower(c) != c) caseSensitive = true;
    }
    for (uint32_t i = 0; i < length; ++i) {
      key[i] = caseSensitive ? typed[i] : Lower(typed[i]);
      ascii = ascii && key[i] < 0x80;
      const bool letter = key[i] - 'a' < 26u && !caseSensitive;
      upper[i] = uint8_t(letter ? key[i] - 32 : key[i]);
    }
    return true;
  }

  // True when this query's characters begin with all of `earlier`'s: every text this query
  // matches, `earlier` matches too.
  bool Extends(const Query& earlier) const {
    if (earlier.length > length) return false;
    for (uint32_t i = 0; i < earlier.length; ++i) {
      if (typed[i] != earlier.typed[i]) return false;
    }
    return true;
  }
};

// The search for the best alignment of a query of two or more characters in a window of the
// text. positions may be null when only the score is wanted.
struct Aligner {
  uint32_t key[kWindow];
  uint32_t offset[kWindow];
  int32_t gain[kWindow];  // what matching the character earns, bonuses included
  int32_t rowA[kWindow];
  int32_t rowB[kWindow];
  // Per query character and window character: whether the best alignment that matches them
  // comes right after the previous character's match, and whether the best gapped arrival there
  // extends the gap of the character before.
  uint64_t consecutive[kFuzzyMaxQuery][kWindow / 64];
  uint64_t extended[kFuzzyMaxQuery][kWindow / 64];

  static void Put(uint64_t* bits, uint32_t j, bool value) {
    const uint64_t mask = uint64_t(1) << (j & 63);
    bits[j >> 6] = value ? bits[j >> 6] | mask : bits[j >> 6] & ~mask;
  }
  static bool Get(const uint64_t* bits, uint32_t j) { return (bits[j >> 6] >> (j & 63)) & 1; }

  int32_t Align(const Query& query, uint32_t width, uint32_t* positions) {
    int32_t* previous = rowA;
    int32_t* current = rowB;
    const uint32_t first = query.key[0];
    for (uint32_t j = 0; j < width; ++j) previous[j] = key[j] == first ? gain[j] : kImpossible;
    for (uint32_t i = 1; i < query.length; ++i) {
      const uint32_t wanted = query.key[i];
      int32_t gapped = kImpossible;  // best arrival at j from row i-1 over a gap of 1 or more
      for (uint32_t j = 0; j < width; ++j) {
        bool extends = false;
        if (j >= 2) {
          const int32_t opened = previous[j - 2] - kGapOpen;
          const int32_t stretched = gapped - kGapExtend;
          extends = stretched > opened;
          gapped = extends ? stretched : opened;
          if (gapped < kImpossible) gapped = kImpossible;
        }
        if (positions != nullptr) Put(extended[i], j, extends);
        if (key[j] != wanted) {
          current[j] = kImpossible;
          continue;
        }
        const int32_t adjacent = j >= 1 && previous[j - 1] > kImpossible
                                     ? previous[j - 1] + kBonusConsecutive
                                     : kImpossible;
        const int32_t best = adjacent >= gapped ? adjacent : gapped;
        current[j] = best > kImpossible ? best + gain[j] : kImpossible;
        if (positions != nullptr) Put(consecutive[i], j, adjacent >= gapped);
      }
      int32_t* swap = previous;
      previous = current;
      current = swap;
    }
    uint32_t end = 0;
    int32_t best = kImpossible;
    for (uint32_t j = 0; j < width; ++j) {
      if (previous[j] > best) best = previous[j], end = j;
    }
    if (positions != nullptr) {
      uint32_t j = end;
      positions[query.length - 1] = offset[j];
      for (uint32_t i = query.length - 1; i > 0; --i) {
        if (Get(consecutive[i], j)) {
          j -= 1;
        } else {
          while (Get(extended[i], j)) --j;
          j -= 2;
        }
        positions[i - 1] = offset[j];
      }
    }
    return best;
  }
};

// An earliest alignment's score kept in 32 bits. Its matched characters add at most a few
// thousand (kFuzzyMaxQuery of them), so only gaps of more than two thousand million characters
// can take it out of range, and only downwards.
inline int32_t Clamp(int64_t value) {
  return value < INT32_MIN ? INT32_MIN : int32_t(value);
}

// Where a query can match in a text: from the earliest start of its first character to the last
// place of its last one, and where the file name begins.
struct Span {
  uint32_t start = 0;
  uint32_t end = 0;
  uint32_t fileName = 0;  // first byte after the last path separator
  CharClass beforeStart = kStart;
};

// For a query of ASCII characters the bytes tell everything, as an ASCII byte is always a
// character of its own in either encoding: a tight scan for the usual case. Returns 0 when the
// text does not match, 1 when `span` is set, and 2 when the class of the character before the
// start needs decoding (a UTF-8 byte above 127).
inline int LocateAscii(const Query& query, const unsigned char* bytes, uint32_t length,
                       FuzzyEncoding encoding, Span* span) {
  uint32_t offset = 0;
  for (uint32_t i = 0; i < query.length; ++i, ++offset) {
    const auto key = uint8_t(query.key[i]), other = query.upper[i];
    while (offset < length && bytes[offset] != key && bytes[offset] != other) ++offset;
    if (offset == length) return 0;
    if (i == 0) span->start = offset;
  }
  const auto key = uint8_t(query.key[query.length - 1]), other = query.upper[query.length - 1];
  uint32_t end = length - 1;
  while (bytes[end] != key && bytes[end] != other) --end;
  span->end = end;
  span->fileName = 0;
  for (uint32_t k = length; k > 0; --k) {
    if (bytes[k - 1] == '/' || bytes[k - 1] == '\\') {
      span->fileName = k;
      break;
    }
  }
  if (span->start == 0) {
    span->beforeStart = kStart;
  } else {
    const uint32_t before = bytes[span->start - 1];
    if (before >= 0x80 && encoding == FuzzyEncoding::kUtf8) return 2;
    span->beforeStart = ClassOf(before < 0x80 ? before : kRawByte + before);
  }
  return 1;
}

// The same for any query, decoding every character.
inline bool Locate(const Query& query, const unsigned char* bytes, uint32_t length,
                   FuzzyEncoding encoding, Span* span) {
  const uint32_t last = query.key[query.length - 1];
  uint32_t matched = 0;
  uint32_t before = 0;  // the character before the current one
  span->fileName = 0;
  for (uint32_t offset = 0, size = 1; offset < length; offset += size) {
    uint32_t c = bytes[offset];
    size = 1;
    if (c >= 0x80) c = Decode(bytes + offset, length - offset, encoding, &size);
    const uint32_t k = query.caseSensitive ? c : Lower(c);
    if (matched < query.length && k == query.key[matched]) {
      if (matched == 0) {
        span->start = offset;
        span->beforeStart = offset == 0 ? kStart : ClassOf(before);
      }
      ++matched;
    }
    if (matched == query.length && k == last) span->end = offset;
    if (c == '/' || c == '\\') span->fileName = offset + 1;
    before = c;
  }
  return matched == query.length;
}

// Scores a decoded query (of at least one character) against a text; positions may be null.
inline bool MatchQuery(const Query& query, const char* text, uint32_t textLength,
                       FuzzyEncoding encoding, int32_t* score, uint32_t* positions) {
  const auto* bytes = reinterpret_cast<const unsigned char*>(text);
  Span span;
  // In a double-byte encoding an ASCII byte may be a second byte: every character is decoded.
  const int located = query.ascii && !IsDoubleByte(encoding)
                          ? LocateAscii(query, bytes, textLength, encoding, &span)
                          : 2;
  if (located == 0 || (located == 2 && !Locate(query, bytes, textLength, encoding, &span))) {
    return false;
  }
  const uint32_t last = query.key[query.length - 1];
  const uint32_t fileNameOffset = span.fileName;

  // The window's characters with what matching each earns; a query of one character needs only
  // its best place.
  Aligner aligner;
  int32_t best = kImpossible;
  uint32_t bestOffset = 0;
  CharClass previous = span.beforeStart;
  uint32_t width = 0;
  for (uint32_t offset = span.start, size = 0; offset <= span.end; offset += size, ++width) {
    const uint32_t c = Decode(bytes + offset, textLength - offset, encoding, &size);
    const CharClass kind = ClassOf(c);
    const int32_t gain =
        kMatch + Bonus(previous, kind) + (offset >= fileNameOffset ? kBonusFileName : 0);
    const uint32_t k = query.caseSensitive ? c : Lower(c);
    previous = kind;
    if (query.length == 1) {
      if (k == last && gain > best) best = gain, bestOffset = offset;
      continue;
    }
    if (width == kWindow) {  // too wide to search
      ++width;
      break;
    }
    aligner.key[width] = k;
    aligner.offset[width] = offset;
    aligner.gain[width] = gain;
  }
  if (query.length == 1) {
    if (positions != nullptr) positions[0] = bestOffset;
    *score = best;
    return true;
  }
  if (width <= kWindow) {
    *score = aligner.Align(query, width, positions);
    return true;
  }

  // Too wide to search: the earliest alignment, scored by the same rules.
  int64_t total = 0;
  uint32_t i = 0, index = 0, lastIndex = 0;
  previous = span.beforeStart;
  for (uint32_t offset = span.start, size = 0; i < query.length; offset += size, ++index) {
    const uint32_t c = Decode(bytes + offset, textLength - offset, encoding, &size);
    const CharClass kind = ClassOf(c);
    if ((query.caseSensitive ? c : Lower(c)) == query.key[i]) {
      total += kMatch + Bonus(previous, kind) + (offset >= fileNameOffset ? kBonusFileName : 0);
      if (i > 0) {
        const uint32_t gap = index - lastIndex - 1;
        total += gap == 0 ? kBonusConsecutive : -(kGapOpen + int64_t(kGapExtend) * (gap - 1));
      }
      if (positions != nullptr) positions[i] = offset;
      lastIndex = index;
      ++i;
    }
    previous = kind;
  }
  *score = Clamp(total);
  return true;
}

}  // namespace fuzzy_detail

// Scores `query` against `text`. Returns false when the query's characters do not all occur in
// `text` in order (smart case: case-insensitive unless the query holds an upper-case letter).
// On true, *score is the match's score (higher is better) and positions[0..*count) are the byte
// offsets in `text` of the first byte of each matched character, strictly increasing;
// `positions` has room for kFuzzyMaxQuery entries. An empty query matches every text, count 0.
// On false, *score and *count are 0.
inline bool FuzzyMatch(const char* query, uint32_t queryLength, const char* text,
                       uint32_t textLength, FuzzyEncoding encoding, int32_t* score,
                       uint32_t* positions, uint32_t* count) {
  *score = 0;
  *count = 0;
  fuzzy_detail::Query decoded;
  if (!decoded.Read(query, queryLength, encoding)) return false;
  if (decoded.length == 0) return true;
  int32_t found = 0;
  if (!fuzzy_detail::MatchQuery(decoded, text, textLength, encoding, &found, positions)) {
    return false;
  }
  *score = found;
  *count = decoded.length;
  return true;
}

// One text of a list to rank: `length` bytes at `text` (null only when length is 0).
struct FuzzyText {
  const char* text;
  uint32_t length;
};

// Ranks a host's list of texts for a query: the indices of the texts that match, best first.
// Ties go to the shorter text, then to the earlier one in the host's list; an empty query
// matches every text. As the user types, a query that extends the previous one (the same
// characters and more) only re-scores the previous matches.
//
// SetTexts takes about 40 bytes per text from the process heap on Windows (the C++ free store
// elsewhere) when the list is longer than any before; Rank allocates nothing. Nothing throws.
// Not for use from several threads at once.
class FuzzyRanker {
 public:
  FuzzyRanker() = default;
  FuzzyRanker(const FuzzyRanker&) = delete;
  FuzzyRanker& operator=(const FuzzyRanker&) = delete;
  ~FuzzyRanker() { Free(); }

  // Takes the list to rank and forgets the previous ranking. The texts are borrowed: they must
  // stay valid and unchanged until the next SetTexts or the ranker's end. False, with an empty
  // list, when memory for `count` texts cannot be had.
  bool SetTexts(const FuzzyText* texts, uint32_t count, FuzzyEncoding encoding) {
    texts_ = nullptr;
    count_ = 0;
    matchCount_ = 0;
    hasPrevious_ = false;
    encoding_ = encoding;
    if (count > capacity_) {
      Free();
      if (size_t(count) > SIZE_MAX / sizeof(Entry)) return false;
      const size_t entries = size_t(count) * sizeof(Entry);
      entries_ = static_cast<Entry*>(node_blocks::Allocate(entries));
      scratch_ = static_cast<Entry*>(node_blocks::Allocate(entries));
      matches_ = static_cast<uint32_t*>(node_blocks::Allocate(size_t(count) * sizeof(uint32_t)));
      pool_ = static_cast<uint32_t*>(node_blocks::Allocate(size_t(count) * sizeof(uint32_t)));
      if (entries_ == nullptr || scratch_ == nullptr || matches_ == nullptr || pool_ == nullptr) {
        Free();
        return false;
      }
      capacity_ = count;
    }
    texts_ = texts;
    count_ = count;
    return true;
  }

  // Ranks the list for `query` and returns the number of matches; Matches() gives them.
  uint32_t Rank(const char* query, uint32_t queryLength) {
    fuzzy_detail::Query next;
    if (!next.Read(query, queryLength, encoding_)) {
      matchCount_ = 0;
      hasPrevious_ = false;
      return 0;
    }
    // The previous matches, kept in the host's order so the texts are read front to back.
    const bool narrow = hasPrevious_ && next.Extends(previous_);
    const uint32_t candidates = narrow ? matchCount_ : count_;
    uint32_t found = 0;
    for (uint32_t c = 0; c < candidates; ++c) {
      const uint32_t index = narrow ? pool_[c] : c;
      const FuzzyText& text = texts_[index];
      int32_t score = 0;
      if (next.length > 0 &&
          !fuzzy_detail::MatchQuery(next, text.text, text.length, encoding_, &score, nullptr)) {
        continue;
      }
      // Best first: the higher score, then the shorter text.
      const uint64_t order = uint64_t(uint32_t(int64_t(INT32_MAX) - score)) << 32 | text.length;
      pool_[found] = index;
      entries_[found++] = Entry{order, index};
    }
    Sort(found);
    for (uint32_t r = 0; r < found; ++r) matches_[r] = entries_[r].index;
    matchCount_ = found;
    previous_ = next;
    hasPrevious_ = true;
    return found;
  }

  // The last ranking: MatchCount() indices into the list, best first; valid until the next
  // Rank or SetTexts.
  const uint32_t* Matches() const { return matches_; }
  uint32_t MatchCount() const { return matchCount_; }
  // The score of the match at `rank` (below MatchCount()).
  int32_t MatchScore(uint32_t rank) const {
    return int32_t(int64_t(INT32_MAX) - int64_t(entries_[rank].order >> 32));
  }

 private:
  struct Entry {
    uint64_t order;  // ascending is best first
    uint32_t index;
  };

  void Free() {
    node_blocks::Release(entries_);
    node_blocks::Release(scratch_);
    node_blocks::Release(matches_);
    node_blocks::Release(pool_);
    entries_ = scratch_ = nullptr;
    matches_ = pool_ = nullptr;
    capacity_ = 0;
  }

  static bool Before(const Entry& a, const Entry& b) { return a.order < b.order; }

  // A merge sort of entries_[0..n) through scratch_: no allocation, n log n in the worst case.
  // Entries arrive in the host's order and the sort is stable (an entry passes another only when
  // strictly Before it), so equal orders keep the host's order.
  void Sort(uint32_t n) {
    constexpr uint32_t kRun = 16;
    for (uint32_t start = 0; start < n; start += kRun) {  // short runs by insertion
      const uint32_t end = n - start < kRun ? n : start + kRun;
      for (uint32_t i = start + 1; i < end; ++i) {
        const Entry moving = entries_[i];
        uint32_t j = i;
        for (; j > start && Before(moving, entries_[j - 1]); --j) entries_[j] = entries_[j - 1];
        entries_[j] = moving;
      }
    }
    Entry* from = entries_;
    Entry* to = scratch_;
    for (uint32_t width = kRun; width<n; width = width> n / 2 ? n : width * 2) {
      for (uint32_t left = 0; left < n; left += 2 * width) {
        const uint32_t middle = n - left < width ? n : left + width;
        const uint32_t right = n - middle < width ? n : middle + width;
        uint32_t a = left, b = middle, out = left;
        while (a < middle && b < right)
          to[out++] = Before(from[b], from[a]) ? from[b++] : from[a++];
        while (a < middle) to[out++] = from[a++];
        while (b < right) to[out++] = from[b++];
      }
      Entry* swap = from;
      from = to;
      to = swap;
    }
    if (from != entries_) {
      for (uint32_t i = 0; i < n; ++i) entries_[i] = from[i];
    }
  }

  const FuzzyText* texts_ = nullptr;
  uint32_t count_ = 0;
  uint32_t capacity_ = 0;
  FuzzyEncoding encoding_ = FuzzyEncoding::kSingleByte;
  Entry* entries_ = nullptr;
  Entry* scratch_ = nullptr;
  uint32_t* matches_ = nullptr;  // best first
  uint32_t* pool_ = nullptr;     // the same in the host's order
  uint32_t matchCount_ = 0;
  bool hasPrevious_ = false;
  fuzzy_detail::Query previous_;
};

}  // namespace tolvane
