// The matcher in the double-byte code pages 932, 936, 949 and 950: a lead byte and the byte after
// it are one character, whatever the second byte reads as alone.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "tolvane/fuzzy_match.h"

namespace tolvane {
namespace {

constexpr FuzzyEncoding kSjis = FuzzyEncoding::kShiftJis;
constexpr FuzzyEncoding kGbk = FuzzyEncoding::kGbk;
constexpr FuzzyEncoding kUhc = FuzzyEncoding::kUhc;
constexpr FuzzyEncoding kBig5 = FuzzyEncoding::kBig5;

struct Matched {
  bool matches = false;
  int32_t score = 0;
  std::vector<uint32_t> positions;
};

Matched Match(FuzzyEncoding encoding, const char* query, const char* text) {
  Matched out;
  uint32_t positions[kFuzzyMaxQuery];
  uint32_t count = 0;
  out.matches = FuzzyMatch(query, uint32_t(std::strlen(query)), text, uint32_t(std::strlen(text)),
                           encoding, &out.score, positions, &count);
  out.positions.assign(positions, positions + count);
  return out;
}

TEST(FuzzyDoubleByte, LatinQueriesMissSecondBytesAndPositionsFallOnFirstBytes) {
  struct Row {
    FuzzyEncoding encoding;
    const char* query;
    const char* text;
    std::vector<uint32_t> positions;  // empty: no match
  };
  const Row rows[] = {
      // テスト is 83 65 83 58 83 67: "e", "X" and "g" are second bytes.
      {kSjis, "e", "\x83\x65\x83\x58\x83\x67", {}},
      {kSjis, "eXg", "\x83\x65\x83\x58\x83\x67", {}},
      {kSjis, "tx", "\x83\x65\x83\x58\x83\x67.txt", {7, 8}},
      {kSjis, "\x83\x67", "\x83\x65\x83\x58\x83\x67", {4}},   // ト
      {kSjis, "abc", "\x82\x60\x82\x61\x82\x62", {0, 2, 4}},  // full-width ABC
      {kSjis, "A", "\x82\x81", {}},    // an upper-case query misses a full-width "a"
      {kSjis, "\x82\x81", "xA", {1}},  // a full-width "a" typed finds "A"
      {kSjis, "x", "\xB1x", {1}},      // A1-DF (half-width katakana) are single bytes
      // A lead byte as the last byte matches only itself, never a lead byte that leads.
      {kSjis, "b", "ab\x83", {1}},
      {kSjis, "\x83", "ab\x83", {2}},
      {kSjis, "\x83", "\x83\x65", {}},
      // 乪 81 65 and 乆 81 58; 中文 D6D0 CEC4; full-width AB at A3 C1, A3 C2.
      {kGbk, "e", "\x81\x65", {}},
      {kGbk, "X", "\x81\x58", {}},
      {kGbk, "c", "\xD6\xD0\xCE\xC4.c", {5}},
      {kGbk, "\xCE\xC4", "\xD6\xD0\xCE\xC4", {2}},
      {kGbk, "ab", "\xA3\xC1\xA3\xC2", {0, 2}},
      // In 949 a second byte can be any Latin letter: 갻 81 65, 갲 81 58.
      {kUhc, "eX", "\x81\x65\x81\x58", {}},
      {kUhc, "ab", "\xA3\xE1\xA3\xE2", {0, 2}},
      {kUhc, "\xB1\xB9", "\xC7\xD1\xB1\xB9", {2}},  // 국 in 한국
      // 〔 A1 65; full-width a, v, w, z and 0, 9 lie in two rows.
      {kBig5, "e", "\xA1\x65", {}},
      {kBig5, "avwz", "\xA2\xE9\xA2\xFE\xA3\x40\xA3\x43", {0, 2, 4, 6}},
      {kBig5, "09", "\xA2\xAF\xA2\xB8", {0, 2}},
      {kBig5, "x", "x\xA4", {0}},
      // The same bytes read as single bytes match as they always did.
      {FuzzyEncoding::kSingleByte, "e", "\x83\x65\x83\x58\x83\x67", {1}},
  };
  for (const Row& row : rows) {
    const Matched found = Match(row.encoding, row.query, row.text);
    EXPECT_EQ(found.matches, !row.positions.empty()) << int(row.encoding) << " " << row.query;
    EXPECT_EQ(found.positions, row.positions) << int(row.encoding) << " " << row.query;
  }
}

TEST(FuzzyDoubleByte, ASecondByteThatReadsAsABackslashSeparatesNothing) {
  // Each text against a twin whose double-byte character has no such second byte: the same
  // score and positions, so the matcher saw no separator and found the same file name.
  struct Row {
    FuzzyEncoding encoding;
    const char* query;
    const char* text;
    const char* twinQuery;
    const char* twinText;
  };
  const Row rows[] = {
      // 表 95 5C against 日 93 FA.
      {kSjis, "ab",
       "x/\x95\x5C"
       "ab",
       "ab",
       "x/\x93\xFA"
       "ab"},
      {kSjis,
       "\x95\x5C"
       "b",
       "x/\x95\x5C"
       "ab",
       "\x93\xFA"
       "b",
       "x/\x93\xFA"
       "ab"},
      // 乗 81 5C against 中 D6 D0; 功 A5 5C against 中 A4 A4.
      {kGbk,
       "\x81\x5C"
       "a",
       "x\\\x81\x5C"
       "a",
       "\xD6\xD0"
       "a",
       "x\\\xD6\xD0"
       "a"},
      {kBig5, "ab",
       "x/\xA5\x5C"
       "ab",
       "ab",
       "x/\xA4\xA4"
       "ab"},
  };
  for (const Row& row : rows) {
    const Matched found = Match(row.encoding, row.query, row.text);
    const Matched twin = Match(row.encoding, row.twinQuery, row.twinText);
    ASSERT_TRUE(found.matches && twin.matches) << int(row.encoding) << " " << row.query;
    EXPECT_EQ(found.score, twin.score) << int(row.encoding) << " " << row.query;
    EXPECT_EQ(found.positions, twin.positions) << int(row.encoding) << " " << row.query;
  }
}

}  // namespace
}  // namespace tolvane
