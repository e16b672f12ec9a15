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
// puts src/list.cpp ahead of src/list/main.cpp.
//
// Texts and queries are bytes in the thread's code page. With FuzzyEncoding::kUtf8 a multi-byte
// character is one character: it is never split and positions point at its first byte; a byte
// that begins no valid UTF-8 sequence is a character of its own that matches only itself. Case
// folds A-Z always and, in UTF-8, also the upper-case letters of Latin-1, basic Greek and basic
// Cyrillic; with kSingleByte bytes above 127 (whose meaning depends on the code page) match only
// themselves.
#pragma once

#include <stddef.h>
#include <stdint.h>

#ifdef _WIN32
#include <windows.h>
#else
#include <new>
#endif

namespace tolvane {

// How texts and queries are encoded: bytes of the thread's code page.
enum class FuzzyEncoding : uint8_t { kSingleByte = 0, kUtf8 = 1 };
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
// every byte above 127) becomes a code above Unicode's range, equal only to itself.
constexpr uint32_t kRawByte = 0x110000;

enum CharClass : uint8_t { kStart, kLower, kUpper, kDigit, kSeparator, kDelimiter };

inline uint32_t Decode(const unsigned char* p, uint32_t left, FuzzyEncoding encoding,
                       uint32_t* size) {
  const uint32_t lead = p[0];
  *size = 1;
  if (lead < 0x80) return lead;
  if (encoding != FuzzyEncoding::kUtf8) return kRawByte + lead;
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
  uint32_t length = 0;
  bool caseSensitive = false;

  // False when the query has more than kFuzzyMaxQuery characters.
  bool Read(const char* query, uint32_t queryLength, FuzzyEncoding encoding) {
    length = 0;
    caseSensitive = false;
    const auto* bytes = reinterpret_cast<const unsigned char*>(query);
    for (uint32_t offset = 0, size = 0; offset < queryLength; offset += size) {
      if (length == kFuzzyMaxQuery) return false;
      const uint32_t c = Decode(bytes + offset, queryLength - offset, encoding, &size);
      typed[length++] = c;
      if (Lower(c) != c) caseSensitive = true;
    }
    for (uint32_t i = 0; i < length; ++i) key[i] = caseSensitive ? typed[i] : Lower(typed[i]);
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
    for (uint32_t j = 1; j < width; ++j) {
      if (previous[j] > previous[end]) end = j;
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
    return previous[end];
  }
};

inline int32_t Clamp(int64_t value) {
  return value < INT32_MIN ? INT32_MIN : value > INT32_MAX ? INT32_MAX : int32_t(value);
}

// Scores a decoded query (of at least one character) against a text; positions may be null.
inline bool MatchQuery(const Query& query, const char* text, uint32_t textLength,
                       FuzzyEncoding encoding, int32_t* score, uint32_t* positions) {
  const auto* bytes = reinterpret_cast<const unsigned char*>(text);
  const uint32_t last = query.key[query.length - 1];
  // One pass: the earliest start, the last possible end and the last path separator.
  uint32_t matched = 0, startOffset = 0, startIndex = 0, endOffset = 0, endIndex = 0;
  uint32_t fileNameOffset = 0;  // first byte after the last separator
  CharClass beforeStart = kStart, previous = kStart;
  uint32_t index = 0;
  for (uint32_t offset = 0, size = 0; offset < textLength; offset += size, ++index) {
    const uint32_t c = Decode(bytes + offset, textLength - offset, encoding, &size);
    const uint32_t k = query.caseSensitive ? c : Lower(c);
    if (matched < query.length && k == query.key[matched]) {
      if (matched == 0) startOffset = offset, startIndex = index, beforeStart = previous;
      ++matched;
    }
    if (matched == query.length && k == last) endOffset = offset, endIndex = index;
    previous = ClassOf(c);
    if (previous == kSeparator) fileNameOffset = offset + 1;
  }
  if (matched < query.length) return false;

  const uint32_t width = endIndex - startIndex + 1;
  if (query.length == 1 || width <= kWindow) {
    // The window's characters with what matching each earns.
    Aligner aligner;
    int32_t best = kImpossible;
    uint32_t bestOffset = 0;
    previous = beforeStart;
    uint32_t j = 0;
    for (uint32_t offset = startOffset, size = 0; offset <= endOffset; offset += size, ++j) {
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
      aligner.key[j] = k;
      aligner.offset[j] = offset;
      aligner.gain[j] = gain;
    }
    if (query.length == 1) {
      if (positions != nullptr) positions[0] = bestOffset;
      *score = best;
      return true;
    }
    *score = aligner.Align(query, width, positions);
    return true;
  }

  // Too wide to search: the earliest alignment, scored by the same rules.
  int64_t total = 0;
  uint32_t i = 0, lastIndex = 0;
  previous = beforeStart;
  index = startIndex;
  for (uint32_t offset = startOffset, size = 0; i < query.length; offset += size, ++index) {
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

}  // namespace tolvane
