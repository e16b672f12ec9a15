// The fuzzy matcher and ranker for arbitrary texts and queries typed byte by byte, in both
// encodings. A text matches exactly when the query's characters are a subsequence of its
// characters (folded unless the query holds an upper-case letter); the positions are strictly
// increasing first bytes of characters inside the text that spell the query; the ranker gives
// exactly the matching texts, ordered by score, then length, then the host's order, and narrowing
// as the query grows gives what ranking from scratch gives.
#include "tolvane/fuzzy_match.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "fuzz_check.h"

using namespace tolvane;

namespace {

// An independent reading of the stated character rules.
struct Character {
  uint32_t code;  // code point, or 0x110000 + byte for a byte that is a character of its own
  uint32_t offset;
};

std::vector<Character> Characters(const std::string& text, bool utf8) {
  std::vector<Character> out;
  for (std::size_t i = 0; i < text.size();) {
    const auto lead = uint8_t(text[i]);
    std::size_t size = 1;
    uint32_t code = 0x110000 + lead;
    if (lead < 0x80) {
      code = lead;
    } else if (utf8) {
      const std::size_t more = lead >= 0xF8   ? 0
                               : lead >= 0xF0 ? 3
                               : lead >= 0xE0 ? 2
                               : lead >= 0xC0 ? 1
                                              : 0;
      bool valid = more > 0 && i + more < text.size();
      uint32_t value = lead & (0x7Fu >> (more + 1));
      for (std::size_t k = 1; valid && k <= more; ++k) {
        const auto next = uint8_t(text[i + k]);
        valid = (next & 0xC0) == 0x80;
        value = value << 6 | (next & 0x3Fu);
      }
      const uint32_t least = more == 1 ? 0x80 : more == 2 ? 0x800 : 0x10000;
      if (valid && value >= least && value <= 0x10FFFF && !(value >= 0xD800 && value <= 0xDFFF)) {
        code = value, size = more + 1;
      }
    }
    out.push_back({code, uint32_t(i)});
    i += size;
  }
  return out;
}

uint32_t Folded(uint32_t c) {
  if (c >= 'A' && c <= 'Z') return c + 32;
  if (c >= 0xC0 && c <= 0xDE && c != 0xD7) return c + 32;     // Latin-1
  if (c >= 0x391 && c <= 0x3AB && c != 0x3A2) return c + 32;  // Greek
  if (c >= 0x410 && c <= 0x42F) return c + 32;                // Cyrillic
  if (c >= 0x400 && c <= 0x40F) return c + 80;                // Cyrillic with marks
  return c;
}

struct QueryForm {
  std::vector<uint32_t> keys;
  bool caseSensitive = false;
};

QueryForm ReadQuery(const std::string& query, bool utf8) {
  QueryForm form;
  for (const Character& c : Characters(query, utf8)) {
    form.keys.push_back(c.code);
    if (Folded(c.code) != c.code) form.caseSensitive = true;
  }
  if (!form.caseSensitive) {
    for (uint32_t& k : form.keys) k = Folded(k);
  }
  return form;
}

uint32_t Key(const QueryForm& form, uint32_t code) {
  return form.caseSensitive ? code : Folded(code);
}

bool IsSubsequence(const QueryForm& form, const std::vector<Character>& text) {
  std::size_t i = 0;
  for (std::size_t j = 0; j < text.size() && i < form.keys.size(); ++j) {
    if (Key(form, text[j].code) == form.keys[i]) ++i;
  }
  return i == form.keys.size();
}

// Checks one match against the rules and returns its score (0 when there is none).
int32_t CheckMatch(const std::string& query, const QueryForm& form, const std::string& text,
                   const std::vector<Character>& characters, bool utf8, bool* matched) {
  const FuzzyEncoding encoding = utf8 ? FuzzyEncoding::kUtf8 : FuzzyEncoding::kSingleByte;
  int32_t score = -1;
  uint32_t positions[kFuzzyMaxQuery];
  uint32_t count = 1234;
  *matched = FuzzyMatch(query.data(), uint32_t(query.size()), text.data(), uint32_t(text.size()),
                        encoding, &score, positions, &count);
  const bool tooLong = form.keys.size() > kFuzzyMaxQuery;
  FUZZ_REQUIRE(*matched == (!tooLong && IsSubsequence(form, characters)));
  if (!*matched) {
    FUZZ_REQUIRE(score == 0 && count == 0);
    return 0;
  }
  FUZZ_REQUIRE(count == form.keys.size());
  if (count == 0) FUZZ_REQUIRE(score == 0);
  std::size_t j = 0;  // index of the character at the previous position, plus one
  for (uint32_t i = 0; i < count; ++i) {
    FUZZ_REQUIRE(positions[i] < text.size());
    if (i > 0) FUZZ_REQUIRE(positions[i] > positions[i - 1]);
    while (j < characters.size() && characters[j].offset < positions[i]) ++j;
    FUZZ_REQUIRE(j < characters.size() && characters[j].offset == positions[i]);
    FUZZ_REQUIRE(Key(form, characters[j].code) == form.keys[i]);
    ++j;
  }
  return score;
}

struct Ranked {
  std::vector<uint32_t> indices;
  std::vector<int32_t> scores;
  bool operator==(const Ranked& other) const {
    return indices == other.indices && scores == other.scores;
  }
};

Ranked Take(const FuzzyRanker& ranker, uint32_t count) {
  FUZZ_REQUIRE(ranker.MatchCount() == count);
  Ranked out;
  for (uint32_t r = 0; r < count; ++r) {
    out.indices.push_back(ranker.Matches()[r]);
    out.scores.push_back(ranker.MatchScore(r));
  }
  return out;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  FuzzedDataProvider input(data, size);
  const bool utf8 = input.ConsumeBool();
  const FuzzyEncoding encoding = utf8 ? FuzzyEncoding::kUtf8 : FuzzyEncoding::kSingleByte;
  const std::string typed = input.ConsumeRandomLengthString(48);
  std::vector<std::string> texts;
  std::vector<std::vector<Character>> characters;
  while (input.remaining_bytes() > 0 && texts.size() < 6) {
    texts.push_back(input.ConsumeRandomLengthString(700));
    characters.push_back(Characters(texts.back(), utf8));
  }
  std::vector<FuzzyText> list;
  for (const std::string& text : texts) list.push_back({text.data(), uint32_t(text.size())});

  FuzzyRanker narrowing;
  FUZZ_REQUIRE(narrowing.SetTexts(list.data(), uint32_t(list.size()), encoding));
  // Typed byte by byte, as a user types (a multi-byte character arrives in pieces), then pasted
  // twice more, which may go past the longest query.
  for (std::size_t length = 0; length <= typed.size() + 1; ++length) {
    const std::string query =
        length <= typed.size() ? typed.substr(0, length) : typed + typed + typed;
    const QueryForm form = ReadQuery(query, utf8);
    std::vector<int32_t> scores(texts.size());
    std::vector<uint32_t> expected;
    for (uint32_t t = 0; t < texts.size(); ++t) {
      bool matched = false;
      scores[t] = CheckMatch(query, form, texts[t], characters[t], utf8, &matched);
      if (matched) expected.push_back(t);
    }
    // Best first: the higher score, then the shorter text, then the earlier one.
    for (std::size_t a = 1; a < expected.size(); ++a) {
      for (std::size_t b = a; b > 0; --b) {
        const uint32_t x = expected[b - 1], y = expected[b];
        const bool after =
            scores[x] < scores[y] || (scores[x] == scores[y] && texts[x].size() > texts[y].size());
        if (!after) break;
        expected[b - 1] = y, expected[b] = x;
      }
    }
    const uint32_t count = narrowing.Rank(query.data(), uint32_t(query.size()));
    const Ranked narrowed = Take(narrowing, count);
    FUZZ_REQUIRE(narrowed.indices == expected);
    for (std::size_t r = 0; r < expected.size(); ++r) {
      FUZZ_REQUIRE(narrowed.scores[r] == scores[expected[r]]);
    }
  }
  // From scratch, the last query ranks as it did after narrowing; so it does in a ranker that
  // ranked the texts in the opposite order before it was handed the list: the new list forgets
  // that ranking, and its buffers serve again.
  const uint32_t last = narrowing.MatchCount();
  const Ranked narrowed = Take(narrowing, last);
  const std::string query = typed + typed + typed;
  FuzzyRanker fresh;
  FUZZ_REQUIRE(fresh.SetTexts(list.data(), uint32_t(list.size()), encoding));
  FUZZ_REQUIRE(Take(fresh, fresh.Rank(query.data(), uint32_t(query.size()))) == narrowed);
  const std::vector<FuzzyText> reversed(list.rbegin(), list.rend());
  FuzzyRanker reused;
  FUZZ_REQUIRE(reused.SetTexts(reversed.data(), uint32_t(reversed.size()), encoding));
  reused.Rank(typed.data(), uint32_t(typed.size() / 2));
  FUZZ_REQUIRE(reused.SetTexts(list.data(), uint32_t(list.size()), encoding));
  FUZZ_REQUIRE(Take(reused, reused.Rank(query.data(), uint32_t(query.size()))) == narrowed);
  return 0;
}
