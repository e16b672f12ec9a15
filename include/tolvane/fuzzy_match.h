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

#include "tolvane/file_entry_list.h"  // node_blocks: the heap the SDK's headers share; windows.h

#if !defined(_WIN32)
#include <pthread.h>
#include <unistd.h>
#endif

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

// The class and the summary bucket of each ASCII byte, and Bonus() as a table, for the scans
// that read every byte of every text.
struct AsciiTables {
  CharClass kind[128] = {};
  uint8_t bucket[128] = {};
  int8_t bonus[6][6] = {};
  // For the summaries of single-byte and UTF-8 texts (below), each byte's class, bucket bit,
  // and what it adds to the bonus buckets after a byte of each class; a byte above 127 is a
  // lower-case letter of kOtherBucket (62 and 63 below) that may earn any bonus.
  CharClass byteKind[256] = {};
  uint64_t bit[256] = {};
  uint64_t earns[6][256] = {};
  constexpr AsciiTables() {
    for (uint32_t c = 0; c < 128; ++c) {
      kind[c] = c - 'a' < 26u           ? kLower
                : c - 'A' < 26u         ? kUpper
                : c - '0' < 10u         ? kDigit
                : c == '/' || c == '\\' ? kSeparator
                                        : kDelimiter;
      bucket[c] = uint8_t(c - 'a' < 26u   ? c - 'a'
                          : c - 'A' < 26u ? c - 'A'
                          : c - '0' < 10u ? 26 + (c - '0')
                                          : 36 + c % 26);
    }
    for (uint32_t a = 0; a < 6; ++a) {
      for (uint32_t b = 0; b < 6; ++b) {
        const auto current = CharClass(b);
        int32_t gain = 0;
        if (current != kSeparator && current != kDelimiter) {
          gain = a == kStart                        ? kBonusStart
                 : a == kSeparator                  ? kBonusSeparator
                 : a == kDelimiter                  ? kBonusDelimiter
                 : a == kLower && current == kUpper ? kBonusHump
                                                    : 0;
        }
        bonus[a][b] = int8_t(gain);
      }
    }
    for (uint32_t c = 0; c < 256; ++c) {
      byteKind[c] = c < 128 ? kind[c] : kLower;
      bit[c] = uint64_t(1) << (c < 128 ? bucket[c] : 63);
      for (uint32_t a = 0; a < 6; ++a) {
        const int32_t gain = c < 128 ? bonus[a][kind[c]] : kBonusHump;
        earns[a][c] = gain == 0 ? 0 : gain == kBonusHump ? bit[c] | uint64_t(1) << 62 : bit[c];
      }
    }
  }
};
inline constexpr AsciiTables kAscii{};

// One term of a query: a run of characters without a space, matched on its own. Smart case is
// the term's: an upper-case letter makes its own term case-sensitive.
struct Term {
  const uint32_t* typed;
  const uint32_t* key;   // as compared: folded unless the term is case-sensitive
  const uint8_t* upper;  // for an ASCII term: the byte that also matches the key
  uint32_t length;
  bool caseSensitive;
  bool ascii;
};

// A query decoded once and split at its spaces into terms.
struct Query {
  struct Place {
    uint8_t start;
    uint8_t length;
    bool caseSensitive;
    bool ascii;
  };
  uint32_t typed[kFuzzyMaxQuery];
  uint32_t key[kFuzzyMaxQuery];
  uint8_t upper[kFuzzyMaxQuery];
  uint32_t length = 0;  // the characters of all terms
  Place places[kFuzzyMaxQuery];
  uint32_t termCount = 0;

  // Whether `other` has the same terms (the spaces around them aside).
  bool SameTerms(const Query& other) const {
    if (length != other.length || termCount != other.termCount) return false;
    for (uint32_t t = 0; t < termCount; ++t) {
      if (places[t].start != other.places[t].start || places[t].length != other.places[t].length)
        return false;
    }
    for (uint32_t i = 0; i < length; ++i) {
      if (typed[i] != other.typed[i]) return false;
    }
    return true;
  }

  Term TermAt(uint32_t t) const {
    const Place& place = places[t];
    return Term{typed + place.start, key + place.start,   upper + place.start,
                place.length,        place.caseSensitive, place.ascii};
  }

  // False when the terms have more than kFuzzyMaxQuery characters.
  bool Read(const char* query, uint32_t queryLength, FuzzyEncoding encoding) {
    length = 0;
    termCount = 0;
    const auto* bytes = reinterpret_cast<const unsigned char*>(query);
    bool inTerm = false;
    for (uint32_t offset = 0, size = 0; offset < queryLength; offset += size) {
      const uint32_t c = Decode(bytes + offset, queryLength - offset, encoding, &size);
      if (c == ' ') {  // never a byte of a longer character, in any of the encodings
        inTerm = false;
        continue;
      }
      if (length == kFuzzyMaxQuery) return false;
      if (!inTerm) places[termCount++] = Place{uint8_t(length), 0, false, true};
      inTerm = true;
      Place& place = places[termCount - 1];
      ++place.length;
      typed[length++] = c;
      if (Lower(c) != c) place.caseSensitive = true;
    }
    for (uint32_t t = 0; t < termCount; ++t) {
      Place& place = places[t];
      for (uint32_t i = place.start; i < uint32_t(place.start + place.length); ++i) {
        key[i] = place.caseSensitive ? typed[i] : Lower(typed[i]);
        place.ascii = place.ascii && key[i] < 0x80;
        const bool letter = key[i] - 'a' < 26u && !place.caseSensitive;
        upper[i] = uint8_t(letter ? key[i] - 32 : key[i]);
      }
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

  int32_t Align(const Term& query, uint32_t width, uint32_t* positions) {
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

// A score kept in 32 bits. Matched characters add at most a few thousand (kFuzzyMaxQuery of
// them), so only gaps of more than two thousand million characters can take an earliest
// alignment out of range, and only downwards; a sum of terms' scores stays in range likewise.
inline int32_t Clamp(int64_t value) {
  return value < INT32_MIN ? INT32_MIN : value > INT32_MAX ? INT32_MAX : int32_t(value);
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
inline int LocateAscii(const Term& query, const unsigned char* bytes, uint32_t length,
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
inline bool Locate(const Term& query, const unsigned char* bytes, uint32_t length,
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

// Scores a term (of at least one character) against a text; positions may be null.
inline bool MatchTerm(const Term& query, const char* text, uint32_t textLength,
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

// The terms of a query against a text: true when every term matches. The score adds up the
// terms' scores; positions (room for kFuzzyMaxQuery, or null) gets the matched characters of all
// terms, sorted, each once, and *count their number. Terms may use the same characters: each
// term is scored as if it were alone.
inline bool MatchTerms(const Query& query, const char* text, uint32_t textLength,
                       FuzzyEncoding encoding, int32_t* score, uint32_t* positions,
                       uint32_t* count) {
  int64_t total = 0;
  uint32_t merged = 0;
  for (uint32_t t = 0; t < query.termCount; ++t) {
    const Term term = query.TermAt(t);
    uint32_t found[kFuzzyMaxQuery];
    int32_t termScore = 0;
    if (!MatchTerm(term, text, textLength, encoding, &termScore,
                   positions != nullptr ? found : nullptr)) {
      return false;
    }
    total += termScore;
    if (positions == nullptr) continue;
    if (t == 0) {
      for (uint32_t i = 0; i < term.length; ++i) positions[i] = found[i];
      merged = term.length;
      continue;
    }
    // Merged from the back, so the merge needs no room beyond the result.
    uint32_t unique = 0;  // the union's size
    for (uint32_t a = 0, b = 0; a < merged || b < term.length; ++unique) {
      if (b == term.length || (a < merged && positions[a] < found[b])) {
        ++a;
      } else if (a == merged || found[b] < positions[a]) {
        ++b;
      } else {
        ++a, ++b;
      }
    }
    uint32_t a = merged, b = term.length;
    for (uint32_t out = unique; out > 0; --out) {
      if (b == 0 || (a > 0 && positions[a - 1] > found[b - 1])) {
        positions[out - 1] = positions[--a];
      } else {
        if (a > 0 && positions[a - 1] == found[b - 1]) --a;
        positions[out - 1] = found[--b];
      }
    }
    merged = unique;
  }
  *score = Clamp(total);
  if (count != nullptr) *count = merged;
  return true;
}

// What the ranker knows of a text before it aligns anything: 64 buckets of characters (a-z
// folded, 0-9, the rest of ASCII in 26 buckets, any other character in one), and for each,
// whether it occurs, whether it occurs where a match earns a bonus, and the same in the file name
// alone; one bit more says a camelCase hump occurs. A text that lacks a query's character is
// rejected at once, and a text whose best possible score cannot reach the rows already ranked is
// never aligned.
struct Summary {
  uint64_t all;
  uint64_t bonus;
  uint64_t name;
  uint64_t nameBonus;
};
constexpr uint32_t kHumpBucket = 62;
constexpr uint32_t kOtherBucket = 63;

inline uint32_t BucketOf(uint32_t c) {
  if (c - 'a' < 26u) return c - 'a';
  if (c - 'A' < 26u) return c - 'A';
  if (c - '0' < 10u) return 26 + (c - '0');
  if (c < 0x80) return 36 + c % 26;
  return kOtherBucket;
}

// A text's summary. In single-byte and UTF-8 texts the bytes above 127 are not decoded: each
// counts as a character of kOtherBucket that may earn any bonus, and as a lower-case letter for
// the character after it, which can only make the bounds looser.
inline Summary Summarize(const unsigned char* bytes, uint32_t length, FuzzyEncoding encoding) {
  uint32_t fileName = 0;
  if (!IsDoubleByte(encoding)) {  // the usual case: byte by byte through the tables
    for (uint32_t k = length; k > 0 && fileName == 0; --k) {
      if (bytes[k - 1] == '/' || bytes[k - 1] == '\\') fileName = k;
    }
    uint64_t folders = 0, folderBonus = 0, all = 0, bonus = 0;
    uint32_t before = kStart, offset = 0;
    for (; offset < fileName; ++offset) {
      const uint32_t c = bytes[offset];
      folders |= kAscii.bit[c];
      folderBonus |= kAscii.earns[before][c];
      before = kAscii.byteKind[c];
    }
    for (; offset < length; ++offset) {
      const uint32_t c = bytes[offset];
      all |= kAscii.bit[c];
      bonus |= kAscii.earns[before][c];
      before = kAscii.byteKind[c];
    }
    if (fileName == length) folders |= all, folderBonus |= bonus, all = bonus = 0;  // no name
    return Summary{folders | all, folderBonus | bonus, all, bonus};
  }
  for (uint32_t offset = 0, size = 0; offset < length; offset += size) {
    const uint32_t c = Decode(bytes + offset, length - offset, encoding, &size);
    if (c == '/' || c == '\\') fileName = offset + size;
  }
  uint64_t all = 0, bonus = 0, folders = 0, folderBonus = 0;
  constexpr uint64_t kHump = uint64_t(1) << kHumpBucket;
  CharClass previous = kStart;
  for (uint32_t offset = 0, size = 1; offset < length; offset += size) {
    if (offset == fileName) folders = all, folderBonus = bonus, all = bonus = 0;
    const uint32_t c = Decode(bytes + offset, length - offset, encoding, &size);
    const CharClass kind = ClassOf(c);
    const uint64_t bit = uint64_t(1) << BucketOf(c);
    const int32_t gain = Bonus(previous, kind);
    all |= bit;
    bonus |= gain == 0 ? 0 : gain == kBonusHump ? bit | kHump : bit;
    previous = kind;
  }
  if (fileName >= length) folders = all, folderBonus = bonus, all = bonus = 0;  // no file name
  return Summary{folders | all, folderBonus | bonus, all, bonus};
}

// The most a query can score in a text, from the text's summary alone: each character at its best
// (in the file name or in the folders, with the bonus its bucket allows) and each step from the
// character before at its best (adjacent, or the shortest gap). No alignment scores more.
struct BoundPlan {
  struct Step {
    uint64_t bit;
    bool word;            // can earn a bonus at all
    bool afterWord;       // right after a word character only a camelCase hump earns one
    bool afterSeparator;  // may enter the file name right after the character before
    bool first;           // of its term
  };
  Step steps[kFuzzyMaxQuery];
  uint32_t count = 0;

  void Prepare(const Query& query) {
    count = query.length;
    for (uint32_t t = 0; t < query.termCount; ++t) {
      const Term term = query.TermAt(t);
      for (uint32_t i = 0; i < term.length; ++i) {
        const CharClass kind = ClassOf(term.key[i]);
        const CharClass before = i == 0 ? kStart : ClassOf(term.key[i - 1]);
        steps[query.places[t].start + i] =
            Step{uint64_t(1) << BucketOf(term.key[i]), kind != kSeparator && kind != kDelimiter,
                 before != kSeparator && before != kDelimiter, before == kSeparator, i == 0};
      }
    }
  }

  // The bound of the whole query; each term's goes to perTerm (room for the terms) if given.
  int64_t Bound(const Summary& summary, int32_t* perTerm = nullptr) const {
    constexpr uint64_t kHump = uint64_t(1) << kHumpBucket;
    constexpr int32_t kNameGain = kMatch + kBonusFileName;
    const int32_t nameHump = (summary.nameBonus & kHump) != 0 ? kBonusHump : 0;
    const int32_t folderHump = (summary.bonus & kHump) != 0 ? kBonusHump : 0;
    int64_t total = 0;
    int32_t inName = kImpossible, inFolders = kImpossible;  // the best ending in each
    for (uint32_t g = 0; g < count; ++g) {
      const Step& step = steps[g];
      if (step.first && g > 0) {
        const int32_t term = inName > inFolders ? inName : inFolders;
        total += term;
        if (perTerm != nullptr) *perTerm++ = term;
      }
      const bool nameEarns = step.word && (summary.nameBonus & step.bit) != 0;
      const bool folderEarns = step.word && (summary.bonus & step.bit) != 0;
      const int32_t nameBonus = nameEarns ? kBonusSeparator : 0;
      const int32_t folderBonus = folderEarns ? kBonusSeparator : 0;
      int32_t name = kNameGain + nameBonus, folders = kMatch + folderBonus;
      if (!step.first) {
        const int32_t fromName =
            inName + kBonusConsecutive + (step.afterWord ? (nameEarns ? nameHump : 0) : nameBonus);
        const int32_t fromEither = (inName > inFolders ? inName : inFolders) - kGapOpen + nameBonus;
        const int32_t entering =
            step.afterSeparator ? inFolders + kBonusConsecutive + nameBonus : kImpossible;
        int32_t best = fromName > fromEither ? fromName : fromEither;
        if (entering > best) best = entering;
        name = kNameGain + best;
        const int32_t adjacent = inFolders + kBonusConsecutive +
                                 (step.afterWord ? (folderEarns ? folderHump : 0) : folderBonus);
        const int32_t gapped = inFolders - kGapOpen + folderBonus;
        folders = kMatch + (adjacent > gapped ? adjacent : gapped);
      }
      inName = (summary.name & step.bit) != 0 ? name : kImpossible;
      inFolders = folders;
    }
    if (count > 0) {
      const int32_t term = inName > inFolders ? inName : inFolders;
      total += term;
      if (perTerm != nullptr) *perTerm = term;
    }
    return total;
  }
};

inline uint32_t LowestBit(uint64_t bits) {
#if defined(__GNUC__) || defined(__clang__)
  return uint32_t(__builtin_ctzll(bits));
#else
  uint32_t n = 0;
  for (; (bits & 1) == 0; bits >>= 1) ++n;
  return n;
#endif
}

// Scores every term of a query of ASCII characters (64 at most) in one pass over a text of ASCII
// bytes no longer than kWindow, with the score the alignment search gives each term. Only the
// text's bytes that match a query character take part: as a gap costs its length plus two, the
// best place to leave a gap from is a running maximum of score plus place.
struct AsciiScorer {
  uint64_t matching[256];  // per byte: the query characters it matches, bit g for character g
  uint64_t firsts = 0;     // each term's first character
  uint64_t lasts = 0;      // each term's last character
  uint64_t termBits[64];   // at each term's first character: the bits of all its characters
  uint32_t count = 0;
  bool usable = false;

  void Prepare(const Query& query) {
    usable = query.length <= 64;
    for (uint32_t t = 0; t < query.termCount; ++t) usable = usable && query.places[t].ascii;
    if (!usable) return;
    for (uint64_t& bits : matching) bits = 0;
    firsts = lasts = 0;
    count = query.length;
    for (uint32_t t = 0; t < query.termCount; ++t) {
      const Term term = query.TermAt(t);
      const uint32_t start = query.places[t].start;
      firsts |= uint64_t(1) << start;
      termBits[start] = (term.length == 64 ? ~uint64_t(0) : (uint64_t(1) << term.length) - 1)
                        << start;
      lasts |= uint64_t(1) << (start + term.length - 1);
      for (uint32_t i = 0; i < term.length; ++i) {
        const uint64_t bit = uint64_t(1) << (start + i);
        matching[term.key[i]] |= bit;
        matching[term.upper[i]] |= bit;
      }
    }
  }

  // The sum of the terms' scores; the text must match every term.
  // `terms` picks the terms to score, bit g for the term that begins at character g.
  int32_t Score(const unsigned char* bytes, uint32_t length, uint64_t terms = ~uint64_t(0)) const {
    uint64_t wanting = 0;  // the characters of those terms
    for (uint64_t bits = firsts & terms; bits != 0; bits &= bits - 1) {
      wanting |= termBits[LowestBit(bits)];
    }
    uint32_t fileName = 0;
    for (uint32_t k = length; k > 0 && fileName == 0; --k) {
      if (bytes[k - 1] == '/' || bytes[k - 1] == '\\') fileName = k;
    }
    int32_t at[64], reach[64], best[64], next[64];  // reach: the best score plus place
    for (uint32_t g = 0; g < count; ++g) reach[g] = best[g] = kImpossible;
    uint64_t previous = 0;  // the characters matched at the byte before, with a score
    CharClass before = kStart;
    for (uint32_t j = 0; j < length; ++j) {
      const uint32_t c = bytes[j];
      const CharClass kind = kAscii.kind[c];
      const uint64_t wanted = matching[c] & wanting;
      if ((wanted | previous) != 0) {
        const int32_t gain =
            kMatch + kAscii.bonus[before][kind] + (j >= fileName ? kBonusFileName : 0);
        uint64_t scored = 0;
        for (uint64_t bits = wanted; bits != 0; bits &= bits - 1) {
          const uint32_t g = LowestBit(bits);
          int32_t from = 0;
          if ((firsts >> g & 1) == 0) {
            const int32_t adjacent =
                (previous >> (g - 1) & 1) != 0 ? at[g - 1] + kBonusConsecutive : kImpossible;
            const int32_t gapped =
                reach[g - 1] > kImpossible ? reach[g - 1] - int32_t(j) - 1 : kImpossible;
            from = adjacent >= gapped ? adjacent : gapped;
            if (from == kImpossible) continue;
          }
          next[g] = from + gain;
          scored |= uint64_t(1) << g;
        }
        for (uint64_t bits = previous; bits != 0; bits &= bits - 1) {
          const uint32_t g = LowestBit(bits);
          if (at[g] + int32_t(j) - 1 > reach[g]) reach[g] = at[g] + int32_t(j) - 1;
        }
        for (uint64_t bits = scored; bits != 0; bits &= bits - 1) {
          const uint32_t g = LowestBit(bits);
          at[g] = next[g];
          if (next[g] > best[g]) best[g] = next[g];
        }
        previous = scored;
      }
      before = kind;
    }
    int64_t total = 0;
    for (uint64_t bits = lasts & wanting; bits != 0; bits &= bits - 1) {
      total += best[LowestBit(bits)];
    }
    return Clamp(total);
  }
};

// The first byte at or after `at` that is `key`, or, where `anyCase` (`key` a lower-case ASCII
// letter), its upper-case twin too; `length` when there is none. Eight bytes at a time, as this
// search is most of what a keystroke costs over a long list: a byte that matches becomes zero
// and the lowest zero byte is found. The word is put together byte by byte, first byte lowest,
// which compilers turn into one load (and which needs no C library header).
inline uint32_t FindByte(const unsigned char* bytes, uint32_t at, uint32_t length, uint8_t key,
                         bool anyCase) {
  constexpr uint64_t kOnes = 0x0101010101010101u, kHighs = 0x8080808080808080u;
  const uint64_t fold = anyCase ? 0x2020202020202020u : 0, wanted = kOnes * key;
  for (; at < length && length - at >= 8; at += 8) {
    const unsigned char* b = bytes + at;
    const uint64_t word = uint64_t(b[0]) | uint64_t(b[1]) << 8 | uint64_t(b[2]) << 16 |
                          uint64_t(b[3]) << 24 | uint64_t(b[4]) << 32 | uint64_t(b[5]) << 40 |
                          uint64_t(b[6]) << 48 | uint64_t(b[7]) << 56;
    const uint64_t diff = (word | fold) ^ wanted;
    const uint64_t zero = (diff - kOnes) & ~diff & kHighs;
    if (zero != 0) return at + LowestBit(zero) / 8;
  }
  const auto low = uint8_t(fold);
  while (at < length && (bytes[at] | low) != key) ++at;
  return at;
}

// Whether term characters [first, length) occur in order in the text from byte `*offset` on;
// if so, *offset becomes the byte after the last of them (the earliest such end).
inline bool Follow(const Term& term, uint32_t first, const unsigned char* bytes, uint32_t length,
                   FuzzyEncoding encoding, uint32_t* offset) {
  uint32_t at = *offset;
  if (term.ascii && !IsDoubleByte(encoding)) {
    for (uint32_t i = first; i < term.length; ++i) {
      const auto key = uint8_t(term.key[i]);
      at = FindByte(bytes, at, length, key, term.upper[i] != key);
      if (at == length) return false;
      ++at;
    }
  } else {
    uint32_t i = first;
    for (uint32_t size = 1; i < term.length && at < length; at += size) {
      uint32_t c = bytes[at];
      size = 1;
      if (c >= 0x80) c = Decode(bytes + at, length - at, encoding, &size);
      if ((term.caseSensitive ? c : Lower(c)) == term.key[i]) ++i;
    }
    if (i < term.length) return false;
  }
  *offset = at;
  return true;
}

// A value one part writes and the others read while it runs: only ever better, so any value
// read is a valid one.
inline void Publish(uint32_t* slot, uint32_t value) {
#if defined(_MSC_VER) && !defined(__clang__)
  *static_cast<volatile uint32_t*>(slot) = value;
#else
  __atomic_store_n(slot, value, __ATOMIC_RELAXED);
#endif
}
inline uint32_t Peek(const uint32_t* slot) {
#if defined(_MSC_VER) && !defined(__clang__)
  return *static_cast<const volatile uint32_t*>(slot);
#else
  return __atomic_load_n(slot, __ATOMIC_RELAXED);
#endif
}

// Runs work(context, part) for each part in [0, parts): part 0 on the calling thread, the others
// on threads started for the call (on the calling thread too when one cannot be started).
using PartWork = void (*)(void* context, uint32_t part);
constexpr uint32_t kMaxParts = 8;

struct PartJob {
  PartWork work;
  void* context;
  uint32_t part;
};

#if defined(_WIN32)
inline DWORD WINAPI RunPartJob(LPVOID job) {
  const PartJob* run = static_cast<const PartJob*>(job);
  run->work(run->context, run->part);
  return 0;
}

inline uint32_t ProcessorCount() {
  SYSTEM_INFO info;
  ::GetSystemInfo(&info);
  return info.dwNumberOfProcessors;
}

inline void RunParts(PartWork work, void* context, uint32_t parts) {
  PartJob jobs[kMaxParts];
  HANDLE threads[kMaxParts] = {};
  for (uint32_t p = 1; p < parts; ++p) {
    jobs[p] = PartJob{work, context, p};
    threads[p] = ::CreateThread(nullptr, 0, &RunPartJob, &jobs[p], 0, nullptr);
  }
  work(context, 0);
  for (uint32_t p = 1; p < parts; ++p) {
    if (threads[p] == nullptr) {
      work(context, p);
    } else {
      ::WaitForSingleObject(threads[p], INFINITE);
      ::CloseHandle(threads[p]);
    }
  }
}
#else
inline void* RunPartJob(void* job) {
  const PartJob* run = static_cast<const PartJob*>(job);
  run->work(run->context, run->part);
  return nullptr;
}

inline uint32_t ProcessorCount() {
  const long count = sysconf(_SC_NPROCESSORS_ONLN);
  return count < 1 ? 1 : uint32_t(count);
}

inline void RunParts(PartWork work, void* context, uint32_t parts) {
  PartJob jobs[kMaxParts];
  pthread_t threads[kMaxParts];
  bool started[kMaxParts] = {};
  for (uint32_t p = 1; p < parts; ++p) {
    jobs[p] = PartJob{work, context, p};
    started[p] = pthread_create(&threads[p], nullptr, &RunPartJob, &jobs[p]) == 0;
  }
  work(context, 0);
  for (uint32_t p = 1; p < parts; ++p) {
    if (started[p]) {
      pthread_join(threads[p], nullptr);
    } else {
      work(context, p);
    }
  }
}
#endif

}  // namespace fuzzy_detail

// Scores `query` against `text`. The query's spaces split it into terms; the text matches when
// every term's characters occur in it in order, not necessarily adjacent, each term on its own
// and in any order of the terms (smart case, per term: case-insensitive unless the term holds an
// upper-case letter). Terms may use the same characters of the text. On true, *score is the
// match's score (higher is better), the sum of the terms' scores, and positions[0..*count) are
// the byte offsets in `text` of the first byte of each matched character of every term, strictly
// increasing (a character two terms matched counts once); `positions` has room for
// kFuzzyMaxQuery entries. A query without terms (empty, or spaces only) matches every text, count
// 0. On false, *score and *count are 0.
inline bool FuzzyMatch(const char* query, uint32_t queryLength, const char* text,
                       uint32_t textLength, FuzzyEncoding encoding, int32_t* score,
                       uint32_t* positions, uint32_t* count) {
  *score = 0;
  *count = 0;
  fuzzy_detail::Query decoded;
  if (!decoded.Read(query, queryLength, encoding)) return false;
  int32_t found = 0;
  uint32_t matched = 0;
  if (!fuzzy_detail::MatchTerms(decoded, text, textLength, encoding, &found, positions, &matched)) {
    return false;
  }
  *score = found;
  *count = matched;
  return true;
}

// A line number typed after a file's name, as in "widget.cpp:120": for a host to rank with the
// query before it and go to that line in the file the user opens. The suffix is a ':' and up to 9
// decimal digits at the query's end, spaces after them ignored. True when the digits make a line
// (1 or more): *queryLength is then the length before the ':' and *line the number. A ':' with no
// digits yet, or with digits that make 0 (":", "a:", "a:0"), is dropped all the same (false,
// *line 0), so that the rows stay as they were while the user is typing the number. Only the last
// suffix counts ("a:12:" ranks "a:12", no line); a query of nothing but the suffix (":12") is a
// line with an empty query, which matches every text; 10 digits or more, or anything else at the
// end, are no suffix (false, *queryLength = length, *line 0). ':', digits and spaces are never part
// of another character in any encoding the matcher reads, so the bytes alone decide.
inline bool FuzzyLineSuffix(const char* query, uint32_t length, uint32_t* queryLength,
                            uint32_t* line) {
  *queryLength = length;
  *line = 0;
  uint32_t end = length;
  while (end > 0 && query[end - 1] == ' ') --end;
  uint32_t digits = end;
  while (digits > 0 && end - digits < 10 && query[digits - 1] >= '0' && query[digits - 1] <= '9') {
    --digits;
  }
  if (digits == 0 || query[digits - 1] != ':' || end - digits > 9) return false;
  uint32_t number = 0;
  for (uint32_t i = digits; i < end; ++i) number = number * 10 + uint32_t(query[i] - '0');
  *queryLength = digits - 1;
  *line = number;
  return number != 0;
}

// One text of a list to rank: `length` bytes at `text` (null only when length is 0).
struct FuzzyText {
  const char* text;
  uint32_t length;
};

// How many of the best matches Rank puts in order before it returns unless told otherwise: more
// rows than a list shows at once. The rest are put in order when asked for.
constexpr uint32_t kFuzzyFirstRows = 64;

// Ranks a host's list of texts for a query (FuzzyMatch's terms and scores): the indices of the
// texts that match, best first. Ties go to the shorter text, then to the earlier one in the
// host's list; a query without terms matches every text. As the user types, a query that
// narrows the previous one (a character added to its last term, or a new term begun) looks only
// at the previous matches, from where each one's last term ended; a space typed after the last
// term ranks nothing again.
//
// How it keeps up with a million texts: SetTexts summarizes each text once (which characters it
// holds, and which of them earn a bonus, in the whole text and in its file name); Rank rejects a
// text that lacks a query's character by its summary before reading it, checks the rest with a
// plain scan (eight bytes at a time), and aligns (scores) only the texts whose score, as bounded
// by their summary and by what they scored for the query before, could still place them among
// the best `first` rows it puts in order. The rows kept before that still match are placed first,
// so that the bar is high from the start. A query of several terms is scored term by term,
// keeping per match what its terms but the last can score while the user types on in the last
// one. The rest are scored and put in order only when Matches or MatchScore asks for a row beyond
// those. A list of more than 16,384 texts is split into parts ranked side by side, one thread per
// processor (up to 8), started for the call; where a thread cannot be started its part runs on
// the calling thread.
//
// SetTexts takes 60 bytes per text from the process heap on Windows (the C++ free store
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
    keptBefore_ = 0;
    ordered_ = 0;
    hasPrevious_ = false;
    encoding_ = encoding;
    if (count > capacity_) {
      Free();
      if (size_t(count) > SIZE_MAX / sizeof(fuzzy_detail::Summary)) return false;
      summaries_ = static_cast<fuzzy_detail::Summary*>(
          node_blocks::Allocate(size_t(count) * sizeof(fuzzy_detail::Summary)));
      candidates_ =
          static_cast<Candidate*>(node_blocks::Allocate(size_t(count) * sizeof(Candidate)));
      entries_ = static_cast<Scored*>(node_blocks::Allocate(size_t(count) * sizeof(Scored)));
      matches_ = static_cast<uint32_t*>(node_blocks::Allocate(size_t(count) * sizeof(uint32_t)));
      if (summaries_ == nullptr || candidates_ == nullptr || entries_ == nullptr ||
          matches_ == nullptr) {
        Free();
        return false;
      }
      capacity_ = count;
    }
    texts_ = texts;
    count_ = count;
    RunInParts(&SummarizePart, count);
    return true;
  }

  // Ranks the list for `query` and returns the number of matches. The best `first` of them are
  // put in order now; Matches and MatchScore put the rest in order when asked for them.
  uint32_t Rank(const char* query, uint32_t queryLength, uint32_t first = kFuzzyFirstRows) {
    const uint32_t orderedBefore = ordered_;
    ordered_ = 0;
    if (!next_.Read(query, queryLength, encoding_)) {
      matchCount_ = 0;
      hasPrevious_ = false;
      return 0;
    }
    if (hasPrevious_ && next_.SameTerms(previous_)) {  // a space typed after the last term
      ordered_ = orderedBefore;
      if (first > ordered_) OrderAll();
      return matchCount_;
    }
    narrow_ = hasPrevious_ && Narrows(&fromTerm_, &fromChar_);
    if (!narrow_) fromTerm_ = 0, fromChar_ = 0;
    // The terms but the last are the previous query's: their scores, where known, still hold;
    // when a new term begins after them, what the previous query scored is what they score.
    keepSettled_ = narrow_ && previous_.termCount == next_.termCount;
    carryCeiling_ = narrow_ && next_.termCount == previous_.termCount + 1 &&
                    next_.places[fromTerm_].length == previous_.places[fromTerm_].length;
    need_ = 0;
    for (uint32_t t = 0; t < next_.termCount; ++t) {
      terms_[t] = next_.TermAt(t);
      for (uint32_t i = 0; i < terms_[t].length; ++i) {
        need_ |= uint64_t(1) << fuzzy_detail::BucketOf(terms_[t].key[i]);
      }
    }
    plan_.Prepare(next_);
    scorer_.Prepare(next_);
    keep_ = first < kKeepMost ? first : kKeepMost;
    Seed();
    const uint32_t parts = RunInParts(&FilterPart, narrow_ ? matchCount_ : count_);
    uint32_t found = partFound_[0];
    for (uint32_t p = 1; p < parts; ++p) {  // each part's matches follow the part before's
      for (uint32_t c = 0; c < partFound_[p]; ++c)
        candidates_[found++] = candidates_[partBegin_[p] + c];
    }
    matchCount_ = found;
    uint32_t kept = 0;
    for (uint32_t p = 0; p < parts; ++p) {
      for (uint32_t h = 0; h < heaps_[p].size; ++h) first_[kept++] = heaps_[p].entries[h];
    }
    Sort(first_, kept);
    uint32_t unique = 0;  // a seed may be in several heaps
    for (uint32_t k = 0; k < kept; ++k) {
      if (unique == 0 || first_[unique - 1].index != first_[k].index) first_[unique++] = first_[k];
    }
    kept = keptBefore_ = unique;
    ordered_ = kept < keep_ ? kept : keep_;
    for (uint32_t r = 0; r < ordered_; ++r) matches_[r] = first_[r].index;
    previous_ = next_;
    hasPrevious_ = true;
    if (first > keep_) OrderAll();
    return matchCount_;
  }

  // The last ranking: MatchCount() indices into the list, best first; valid until the next
  // Rank or SetTexts. Puts every match in order first if Rank left some unordered.
  const uint32_t* Matches() const { return Matches(matchCount_); }
  // The same, where only the first `count` need to be in order (the rows a list shows): puts the
  // rest in order only when `count` goes beyond the rows Rank put in order.
  const uint32_t* Matches(uint32_t count) const {
    if (count > ordered_) const_cast<FuzzyRanker*>(this)->OrderAll();
    return matches_;
  }
  uint32_t MatchCount() const { return matchCount_; }
  // The score of the match at `rank` (below MatchCount()).
  int32_t MatchScore(uint32_t rank) const {
    const uint32_t index = Matches(rank + 1)[rank];
    return ScoreOf(previous_, texts_[index], summaries_[index]);
  }

 private:
  struct Candidate {
    uint32_t index;
    uint32_t resume;  // the byte after the last term's earliest match
    // Scores kept as twice the score, plus 1 where it is exact and not a bound; kUnknown where
    // not known or out of range (texts of at most kWindow bytes score far within it).
    // settled: what every term but the last can score, for a text scored term by term;
    // ceiling: what the whole query can score, which the terms but the last can score once the
    // user begins a new term.
    int16_t settled;
    int16_t ceiling;
  };
  static constexpr int32_t kUnsettled = INT32_MIN;
  static_assert(fuzzy_detail::kBonusStart >= fuzzy_detail::kBonusSeparator &&
                    fuzzy_detail::kBonusStart >= fuzzy_detail::kBonusDelimiter &&
                    fuzzy_detail::kBonusStart >= fuzzy_detail::kBonusHump,
                "AddedMost takes kBonusStart for the largest bonus");
  static constexpr int16_t kUnknown = INT16_MIN;
  static int16_t Keep(int64_t score, bool exact) {
    const int64_t kept = score * 2 + (exact ? 1 : 0);
    return kept > INT16_MIN && kept <= INT16_MAX ? int16_t(kept) : kUnknown;
  }
  static int32_t Kept(int16_t kept) { return kept == kUnknown ? kUnsettled : kept; }
  // A match as it is ordered: by rank (the score, highest first), then length, then index.
  struct Entry {
    uint32_t rank;  // INT32_MAX - score
    uint32_t length;
    uint32_t index;
  };
  // The same for every match, in the order of candidates_ (which gives the index), when all are
  // put in order.
  struct Scored {
    uint32_t rank;
    uint32_t length;
    uint32_t next;  // the radix sort's second array of places
  };
  static constexpr uint32_t kKeepMost = 128;  // rows a part keeps in its heap
  static constexpr uint32_t kPartLeast = 16384;
  // The best rows a part has seen: a heap whose first entry is the worst of them.
  struct Heap {
    Entry entries[kKeepMost];
    uint32_t size;
  };

  static Entry EntryOf(int32_t score, uint32_t length, uint32_t index) {
    return Entry{uint32_t(int64_t(INT32_MAX) - score), length, index};
  }
  static bool Before(const Entry& a, const Entry& b) {
    if (a.rank != b.rank) return a.rank < b.rank;
    return a.length != b.length ? a.length < b.length : a.index < b.index;
  }

  void Free() {
    node_blocks::Release(summaries_);
    node_blocks::Release(candidates_);
    node_blocks::Release(entries_);
    node_blocks::Release(matches_);
    summaries_ = nullptr;
    candidates_ = nullptr;
    entries_ = nullptr;
    matches_ = nullptr;
    capacity_ = 0;
  }

  // Splits [0, count) into parts (one when it is short) and runs work on each side by side.
  uint32_t RunInParts(void (*work)(FuzzyRanker*, uint32_t), uint32_t count) {
    if (processors_ == 0) {
      const uint32_t processors = fuzzy_detail::ProcessorCount();
      processors_ = processors < fuzzy_detail::kMaxParts ? processors : fuzzy_detail::kMaxParts;
    }
    uint32_t parts = count / kPartLeast;
    parts = parts < 1 ? 1 : parts > processors_ ? processors_ : parts;
    for (uint32_t p = 0; p <= parts; ++p) partBegin_[p] = uint32_t(uint64_t(count) * p / parts);
    work_ = work;
    parts_ = parts;
    for (uint32_t p = 0; p < parts; ++p) rootRanks_[p] = UINT32_MAX;
    if (parts == 1) {
      work(this, 0);
    } else {
      fuzzy_detail::RunParts(&RunPart, this, parts);
    }
    return parts;
  }
  static void RunPart(void* self, uint32_t part) {
    auto* ranker = static_cast<FuzzyRanker*>(self);
    ranker->work_(ranker, part);
  }

  static void SummarizePart(FuzzyRanker* self, uint32_t part) {
    for (uint32_t i = self->partBegin_[part]; i < self->partBegin_[part + 1]; ++i) {
      const FuzzyText& text = self->texts_[i];
      self->summaries_[i] = fuzzy_detail::Summarize(
          reinterpret_cast<const unsigned char*>(text.text), text.length, self->encoding_);
    }
  }

  // The candidates of one part that match, moved to the part's front in the host's order, and
  // its best keep_ rows in its heap.
  static void FilterPart(FuzzyRanker* self, uint32_t part) {
    const FuzzyRanker& r = *self;
    Heap& heap = self->heaps_[part];
    heap.size = 0;
    const uint32_t end = r.partBegin_[part + 1];
    uint32_t out = r.partBegin_[part];
    uint32_t shared = UINT32_MAX;  // the best root score rank the other parts published
    for (uint32_t i = 0; i < r.seedCount_; ++i) Offer(&heap, r.seeds_[i], r.keep_);
    if (heap.size == r.keep_) fuzzy_detail::Publish(&self->rootRanks_[part], heap.entries[0].rank);
    uint32_t seed = 0;  // the next seed in the host's order
    for (uint32_t c = out; c < end; ++c) {
      const Candidate candidate =
          r.narrow_ ? r.candidates_[c] : Candidate{c, 0, kUnknown, kUnknown};
      const fuzzy_detail::Summary& summary = r.summaries_[candidate.index];
      if ((summary.all & r.need_) != r.need_) continue;
      const FuzzyText& text = r.texts_[candidate.index];
      const auto* bytes = reinterpret_cast<const unsigned char*>(text.text);
      uint32_t resume = candidate.resume;
      bool matched = true;
      for (uint32_t t = r.fromTerm_; t < r.next_.termCount && matched; ++t) {
        const bool resumed = t == r.fromTerm_ && r.fromChar_ > 0;
        if (!resumed) resume = 0;
        matched = fuzzy_detail::Follow(r.terms_[t], resumed ? r.fromChar_ : 0, bytes, text.length,
                                       r.encoding_, &resume);
      }
      if (!matched) continue;
      const int32_t settled = r.keepSettled_    ? Kept(candidate.settled)
                              : r.carryCeiling_ ? Kept(candidate.ceiling)
                                                : kUnsettled;
      Candidate& kept = self->candidates_[out++];
      kept = Candidate{candidate.index, resume, int16_t(settled == kUnsettled ? kUnknown : settled),
                       kUnknown};
      if (r.keep_ == 0) continue;
      while (seed < r.seedCount_ && r.seeds_[seed].index < candidate.index) ++seed;
      if (seed < r.seedCount_ && r.seeds_[seed].index == candidate.index) {  // in the heap
        kept.ceiling = Keep(int64_t(INT32_MAX) - r.seeds_[seed].rank, true);
        continue;
      }
      if ((c & 255) == 0) shared = self->SharedRank();
      // Whether a text that scores `best` at most could still be among the rows kept.
      const auto places = [&](int64_t most) {
        const Entry best = EntryOf(fuzzy_detail::Clamp(most), text.length, candidate.index);
        return best.rank <= shared && (heap.size < r.keep_ || Before(best, heap.entries[0]));
      };
      int32_t score = 0;
      if (heap.size == r.keep_ || shared != UINT32_MAX) {
        if (r.narrow_ && candidate.ceiling != kUnknown && text.length <= fuzzy_detail::kWindow) {
          const int64_t most = (Kept(candidate.ceiling) >> 1) + r.AddedMost(summary);
          if (!places(most)) {
            kept.ceiling = Keep(most, false);
            continue;
          }
        }
        int32_t bounds[kFuzzyMaxQuery];
        int64_t most = r.plan_.Bound(summary, bounds);
        if (!places(most)) {
          kept.ceiling = Keep(most, false);
          continue;
        }
        if (r.next_.termCount > 1 && r.FastScored(text, summary)) {
          const uint32_t last = r.next_.termCount - 1;
          // Term by term, while the terms scored so far and the bounds of the rest could place
          // it; the terms before the last one scored once while the user types on in it.
          // `prior`: what the terms but the last can score, exact once each of them is scored;
          // `known`: what an earlier keystroke found they can score.
          const bool exactBefore = settled != kUnsettled && (settled & 1) != 0;
          int64_t prior = most - bounds[last];
          const int64_t known = settled != kUnsettled ? settled >> 1 : prior;
          const int64_t before = (known < prior ? known : prior) + bounds[last];
          bool placed = places(before);
          uint32_t t = 0;
          if (exactBefore) t = last, prior = known, most = known + bounds[last];
          for (; t <= last && placed; ++t) {
            const int32_t exact =
                r.scorer_.Score(bytes, text.length, uint64_t(1) << r.next_.places[t].start);
            most += int64_t(exact) - bounds[t];
            if (t < last) prior += int64_t(exact) - bounds[t];
            placed = places(most);
          }
          if (!exactBefore) {
            const bool exactNow = t >= last;  // every term but the last was scored
            kept.settled = Keep(exactNow || prior < known ? prior : known, exactNow);
          }
          kept.ceiling = Keep(placed || most < before ? most : before, placed);
          if (!placed) continue;
          score = fuzzy_detail::Clamp(most);
        } else {
          score = r.ScoreOf(r.next_, text, summary);
        }
      } else {
        score = r.ScoreOf(r.next_, text, summary);
      }
      if (kept.ceiling == kUnknown) kept.ceiling = Keep(score, true);
      Offer(&heap, EntryOf(score, text.length, candidate.index), r.keep_);
      if (heap.size == r.keep_)
        fuzzy_detail::Publish(&self->rootRanks_[part], heap.entries[0].rank);
    }
    self->partFound_[part] = out - r.partBegin_[part];
  }

  // The lowest score rank a full heap of any part holds at its root: a text whose bound ranks
  // lower cannot be among the best keep_ of all, whatever the parts find later.
  uint32_t SharedRank() const {
    uint32_t best = UINT32_MAX;
    for (uint32_t p = 0; p < parts_; ++p) {
      const uint32_t rank = fuzzy_detail::Peek(&rootRanks_[p]);
      if (rank < best) best = rank;
    }
    return best;
  }

  // The rows the previous ranking's parts kept (first_, best first) that match the query now,
  // with their scores, in the host's order: every part's heap starts with them, so that its bar
  // is high from its first candidate on, as the best rows for a query usually stay among the best
  // as it changes by a character. A heap holds no text twice (its part passes over its seeds),
  // and the rows of the parts' heaps are taken once each.
  void Seed() {
    seedCount_ = 0;
    for (uint32_t r = 0; r < keptBefore_ && keep_ > 0; ++r) {
      const uint32_t index = first_[r].index;
      const FuzzyText& text = texts_[index];
      int32_t score = 0;
      if ((summaries_[index].all & need_) == need_ &&
          fuzzy_detail::MatchTerms(next_, text.text, text.length, encoding_, &score, nullptr,
                                   nullptr)) {
        seeds_[seedCount_++] = EntryOf(ScoreOf(next_, text, summaries_[index]), text.length, index);
      }
    }
    for (uint32_t i = 1; i < seedCount_; ++i) {  // by index, a few hundred at most
      const Entry moving = seeds_[i];
      uint32_t j = i;
      for (; j > 0 && seeds_[j - 1].index > moving.index; --j) seeds_[j] = seeds_[j - 1];
      seeds_[j] = moving;
    }
  }

  // The most the characters added since the previous query add to a text's score (where it is
  // short enough for the full search, its best alignment less them aligns the previous query):
  // each a match in the file name or not, with a bonus if its character earns one anywhere,
  // right after the character before.
  int64_t AddedMost(const fuzzy_detail::Summary& summary) const {
    int64_t most = 0;
    for (uint32_t i = previous_.length; i < next_.length; ++i) {
      const uint64_t bit = uint64_t(1) << fuzzy_detail::BucketOf(next_.key[i]);
      most += fuzzy_detail::kMatch + fuzzy_detail::kBonusConsecutive +
              ((summary.name & bit) != 0 ? fuzzy_detail::kBonusFileName : 0) +
              ((summary.bonus & bit) != 0 ? fuzzy_detail::kBonusStart : 0);
    }
    return most;
  }

  // A matching text's score: in one pass over its bytes where it and the query are ASCII and it
  // is short enough for the full search, else by aligning each term.
  bool FastScored(const FuzzyText& text, const fuzzy_detail::Summary& summary) const {
    return scorer_.usable && !fuzzy_detail::IsDoubleByte(encoding_) &&
           (summary.all >> fuzzy_detail::kOtherBucket & 1) == 0 &&
           text.length <= fuzzy_detail::kWindow;
  }
  int32_t ScoreOf(const fuzzy_detail::Query& query, const FuzzyText& text,
                  const fuzzy_detail::Summary& summary) const {
    if (FastScored(text, summary)) {
      return scorer_.Score(reinterpret_cast<const unsigned char*>(text.text), text.length);
    }
    int32_t score = 0;
    fuzzy_detail::MatchTerms(query, text.text, text.length, encoding_, &score, nullptr, nullptr);
    return score;
  }

  static void Offer(Heap* heap, const Entry& entry, uint32_t keep) {
    Entry* e = heap->entries;
    uint32_t at = 0;
    if (heap->size < keep) {  // up from the new leaf
      at = heap->size++;
      while (at > 0 && Before(e[(at - 1) / 2], entry)) e[at] = e[(at - 1) / 2], at = (at - 1) / 2;
      e[at] = entry;
      return;
    }
    if (!Before(entry, e[0])) return;
    for (;;) {  // down from the root it replaces
      uint32_t child = 2 * at + 1;
      if (child >= keep) break;
      if (child + 1 < keep && Before(e[child], e[child + 1])) ++child;
      if (!Before(entry, e[child])) break;
      e[at] = e[child], at = child;
    }
    e[at] = entry;
  }

  // Scores every match and puts them all in order: a stable radix sort of the matches, which
  // are in the host's order, by length and then by rank, 11 bits a pass, as many passes as the
  // keys' spread needs.
  void OrderAll() {
    if (ordered_ == matchCount_) return;
    const uint32_t n = matchCount_;
    RunInParts(&ScorePart, n);
    uint32_t leastRank = UINT32_MAX, mostRank = 0, mostLength = 0;
    for (uint32_t c = 0; c < n; ++c) {
      const Scored& e = entries_[c];
      leastRank = e.rank < leastRank ? e.rank : leastRank;
      mostRank = e.rank > mostRank ? e.rank : mostRank;
      mostLength = e.length > mostLength ? e.length : mostLength;
    }
    bool inNext = true;  // where the places are: entries_[k].next, or matches_
    for (uint32_t c = 0; c < n; ++c) entries_[c].next = c;
    for (int key = 0; key < 2; ++key) {
      const uint32_t spread = key == 0 ? mostLength : mostRank - leastRank;
      for (uint32_t shift = 0; shift < 32 && (shift == 0 || spread >> shift != 0); shift += 11) {
        if (spread == 0) break;
        uint32_t counts[2048] = {};
        const auto digit = [&](uint32_t place) {
          const Scored& e = entries_[place];
          return ((key == 0 ? e.length : e.rank - leastRank) >> shift) & 2047;
        };
        for (uint32_t k = 0; k < n; ++k) ++counts[digit(inNext ? entries_[k].next : matches_[k])];
        for (uint32_t d = 0, sum = 0; d < 2048; ++d) {
          const uint32_t here = counts[d];
          counts[d] = sum;
          sum += here;
        }
        for (uint32_t k = 0; k < n; ++k) {
          const uint32_t place = inNext ? entries_[k].next : matches_[k];
          const uint32_t to = counts[digit(place)]++;
          if (inNext) {
            matches_[to] = place;
          } else {
            entries_[to].next = place;
          }
        }
        inNext = !inNext;
      }
    }
    for (uint32_t r = 0; r < n; ++r) {
      matches_[r] = candidates_[inNext ? entries_[r].next : matches_[r]].index;
    }
    ordered_ = n;
  }
  static void ScorePart(FuzzyRanker* self, uint32_t part) {
    for (uint32_t c = self->partBegin_[part]; c < self->partBegin_[part + 1]; ++c) {
      const uint32_t index = self->candidates_[c].index;
      const FuzzyText& text = self->texts_[index];
      const int32_t score = self->ScoreOf(self->previous_, text, self->summaries_[index]);
      self->entries_[c] = Scored{EntryOf(score, text.length, index).rank, text.length, 0};
    }
  }

  // Whether next_ can match only texts previous_ matched: the same terms, but for the last one,
  // which it may extend, and perhaps more terms after it. Then what is left to check of each
  // previous match: term *fromTerm from its character *fromChar on, at the match's resume offset
  // (from the text's start when *fromChar is 0, as when the term's smart case changed), and the
  // terms after it from the text's start.
  bool Narrows(uint32_t* fromTerm, uint32_t* fromChar) const {
    const fuzzy_detail::Query& a = previous_;
    const fuzzy_detail::Query& b = next_;
    if (a.termCount == 0 || b.termCount < a.termCount) return false;
    const uint32_t last = a.termCount - 1;
    for (uint32_t t = 0; t <= last; ++t) {
      const fuzzy_detail::Term x = a.TermAt(t), y = b.TermAt(t);
      if (y.length < x.length || (t < last && y.length != x.length)) return false;
      for (uint32_t i = 0; i < x.length; ++i) {
        if (x.typed[i] != y.typed[i]) return false;
      }
    }
    *fromTerm = last;
    *fromChar =
        a.TermAt(last).caseSensitive == b.TermAt(last).caseSensitive ? a.TermAt(last).length : 0;
    return true;
  }

  // The few rows the parts' heaps kept (kMaxParts * kKeepMost at most), by insertion.
  static void Sort(Entry* e, uint32_t n) {
    for (uint32_t i = 1; i < n; ++i) {
      const Entry moving = e[i];
      uint32_t j = i;
      for (; j > 0 && Before(moving, e[j - 1]); --j) e[j] = e[j - 1];
      e[j] = moving;
    }
  }

  const FuzzyText* texts_ = nullptr;
  uint32_t count_ = 0;
  uint32_t capacity_ = 0;
  FuzzyEncoding encoding_ = FuzzyEncoding::kSingleByte;
  fuzzy_detail::Summary* summaries_ = nullptr;
  Candidate* candidates_ = nullptr;  // the matches in the host's order
  Scored* entries_ = nullptr;        // each match's score and length, to put them all in order
  uint32_t* matches_ = nullptr;      // best first
  uint32_t matchCount_ = 0;
  uint32_t ordered_ = 0;  // matches_[0..ordered_) are in order
  bool hasPrevious_ = false;
  fuzzy_detail::Query previous_;
  // The ranking under way, shared with its parts.
  fuzzy_detail::Query next_;
  fuzzy_detail::Term terms_[kFuzzyMaxQuery];
  uint64_t need_ = 0;  // the buckets of every term's characters
  fuzzy_detail::BoundPlan plan_;
  fuzzy_detail::AsciiScorer scorer_;
  bool narrow_ = false;
  bool keepSettled_ = false;
  bool carryCeiling_ = false;
  Entry seeds_[fuzzy_detail::kMaxParts * kKeepMost];
  uint32_t seedCount_ = 0;
  uint32_t keptBefore_ = 0;  // first_'s rows from the previous ranking
  uint32_t fromTerm_ = 0;
  uint32_t fromChar_ = 0;
  uint32_t keep_ = 0;
  uint32_t processors_ = 0;
  void (*work_)(FuzzyRanker*, uint32_t) = nullptr;
  uint32_t partBegin_[fuzzy_detail::kMaxParts + 1] = {};
  uint32_t partFound_[fuzzy_detail::kMaxParts] = {};
  uint32_t parts_ = 1;
  // What each part's full heap holds at its root (score rank, the order's high half), read by
  // the others while they run.
  uint32_t rootRanks_[fuzzy_detail::kMaxParts] = {};
  Heap heaps_[fuzzy_detail::kMaxParts];
  Entry first_[fuzzy_detail::kMaxParts * kKeepMost];  // the heaps' rows, put in order
};

}  // namespace tolvane
