// The fuzzy matcher and ranker for arbitrary texts and queries typed byte by byte, in every
// encoding. A text matches exactly when each of the query's terms (split at spaces) is a
// subsequence of its characters (folded unless the term holds an upper-case letter); the score is
// the sum of the terms' scores, whatever their order; the positions are strictly increasing first
// bytes of characters inside the text, each one a character some term matches; the ranker gives
// exactly the matching texts, ordered by score, then length, then the host's order, the same with
// the terms in another order, and narrowing as the query grows gives what ranking from scratch
// gives, also when only the first rows are put in order.
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

// The double-byte encodings' lead bytes, and their full-width Latin letters and digits (which
// read as ASCII): a character of two bytes otherwise reads as 0x120000 + its two bytes.
bool IsLead(FuzzyEncoding encoding, uint8_t byte) {
  if (encoding == FuzzyEncoding::kShiftJis) {
    return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
  }
  return encoding > FuzzyEncoding::kUtf8 && byte >= 0x81 && byte <= 0xFE;
}

uint32_t DoubleByteCode(FuzzyEncoding encoding, uint8_t lead, uint8_t trail) {
  struct Run {
    FuzzyEncoding encoding;
    uint8_t lead, first, last;
    char ascii;
  };
  static const Run kRuns[] = {
      {FuzzyEncoding::kShiftJis, 0x82, 0x4F, 0x58, '0'},
      {FuzzyEncoding::kShiftJis, 0x82, 0x60, 0x79, 'A'},
      {FuzzyEncoding::kShiftJis, 0x82, 0x81, 0x9A, 'a'},
      {FuzzyEncoding::kGbk, 0xA3, 0xB0, 0xB9, '0'},
      {FuzzyEncoding::kGbk, 0xA3, 0xC1, 0xDA, 'A'},
      {FuzzyEncoding::kGbk, 0xA3, 0xE1, 0xFA, 'a'},
      {FuzzyEncoding::kUhc, 0xA3, 0xB0, 0xB9, '0'},
      {FuzzyEncoding::kUhc, 0xA3, 0xC1, 0xDA, 'A'},
      {FuzzyEncoding::kUhc, 0xA3, 0xE1, 0xFA, 'a'},
      {FuzzyEncoding::kBig5, 0xA2, 0xAF, 0xB8, '0'},
      {FuzzyEncoding::kBig5, 0xA2, 0xCF, 0xE8, 'A'},
      {FuzzyEncoding::kBig5, 0xA2, 0xE9, 0xFE, 'a'},
      {FuzzyEncoding::kBig5, 0xA3, 0x40, 0x43, 'w'},
  };
  for (const Run& run : kRuns) {
    if (run.encoding == encoding && run.lead == lead && trail >= run.first && trail <= run.last) {
      return uint32_t(run.ascii + (trail - run.first));
    }
  }
  return 0x120000 + (uint32_t(lead) << 8 | trail);
}

std::vector<Character> Characters(const std::string& text, FuzzyEncoding encoding) {
  const bool utf8 = encoding == FuzzyEncoding::kUtf8;
  std::vector<Character> out;
  for (std::size_t i = 0; i < text.size();) {
    const auto lead = uint8_t(text[i]);
    std::size_t size = 1;
    uint32_t code = 0x110000 + lead;
    if (lead < 0x80) {
      code = lead;
    } else if (IsLead(encoding, lead) && i + 1 < text.size()) {
      code = DoubleByteCode(encoding, lead, uint8_t(text[i + 1]));
      size = 2;
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

// A query as terms: the runs of characters between spaces, each with its own smart case.
struct Term {
  std::vector<uint32_t> keys;
  bool caseSensitive = false;
};
struct QueryForm {
  std::vector<Term> terms;
  std::size_t length = 0;  // characters of all terms
};

QueryForm ReadQuery(const std::string& query, FuzzyEncoding encoding) {
  QueryForm form;
  bool inTerm = false;
  for (const Character& c : Characters(query, encoding)) {
    inTerm = inTerm && c.code != ' ';
    if (c.code == ' ') continue;
    if (!inTerm) form.terms.emplace_back();
    inTerm = true;
    form.terms.back().keys.push_back(c.code);
    if (Folded(c.code) != c.code) form.terms.back().caseSensitive = true;
    ++form.length;
  }
  for (Term& term : form.terms) {
    if (!term.caseSensitive) {
      for (uint32_t& k : term.keys) k = Folded(k);
    }
  }
  return form;
}

uint32_t Key(const Term& term, uint32_t code) {
  return term.caseSensitive ? code : Folded(code);
}

bool IsSubsequence(const Term& term, const std::vector<Character>& text) {
  std::size_t i = 0;
  for (std::size_t j = 0; j < text.size() && i < term.keys.size(); ++j) {
    if (Key(term, text[j].code) == term.keys[i]) ++i;
  }
  return i == term.keys.size();
}

// The query's bytes with its terms in another order (rotated by one).
std::string Rotated(const std::string& query, FuzzyEncoding encoding) {
  std::vector<std::string> terms;
  std::string term;
  const std::vector<Character> characters = Characters(query, encoding);
  for (std::size_t c = 0; c < characters.size(); ++c) {
    const std::size_t end = c + 1 < characters.size() ? characters[c + 1].offset : query.size();
    if (characters[c].code == ' ') {
      if (!term.empty()) terms.push_back(term);
      term.clear();
    } else {
      term += query.substr(characters[c].offset, end - characters[c].offset);
    }
  }
  if (!term.empty()) terms.push_back(term);
  // A lone lead byte ends only the query: followed by a space it would lead a character.
  if (!characters.empty() && characters.back().code >= 0x110000 &&
      characters.back().code < 0x110100 && IsLead(encoding, uint8_t(characters.back().code))) {
    return query;
  }
  std::string out;
  for (std::size_t t = 0; t < terms.size(); ++t) {
    out += terms[(t + 1) % terms.size()] + " ";
  }
  return out;
}

// Checks one match against the rules and returns its score (0 when there is none).
int32_t CheckMatch(const std::string& query, const QueryForm& form, const std::string& text,
                   const std::vector<Character>& characters, FuzzyEncoding encoding,
                   bool* matched) {
  int32_t score = -1;
  uint32_t positions[kFuzzyMaxQuery];
  uint32_t count = 1234;
  *matched = FuzzyMatch(query.data(), uint32_t(query.size()), text.data(), uint32_t(text.size()),
                        encoding, &score, positions, &count);
  bool every = form.length <= kFuzzyMaxQuery;
  for (const Term& term : form.terms) every = every && IsSubsequence(term, characters);
  FUZZ_REQUIRE(*matched == every);
  if (!*matched) {
    FUZZ_REQUIRE(score == 0 && count == 0);
    return 0;
  }
  FUZZ_REQUIRE(count <= form.length && (count == 0) == form.terms.empty());
  if (count == 0) FUZZ_REQUIRE(score == 0);
  std::size_t j = 0;  // index of the character at the previous position, plus one
  for (uint32_t i = 0; i < count; ++i) {
    FUZZ_REQUIRE(positions[i] < text.size());
    if (i > 0) FUZZ_REQUIRE(positions[i] > positions[i - 1]);
    while (j < characters.size() && characters[j].offset < positions[i]) ++j;
    FUZZ_REQUIRE(j < characters.size() && characters[j].offset == positions[i]);
    bool wanted = false;
    for (const Term& term : form.terms) {
      for (uint32_t k : term.keys) wanted = wanted || Key(term, characters[j].code) == k;
    }
    FUZZ_REQUIRE(wanted);
    ++j;
  }
  if (form.terms.size() > 1) {  // the sum of the terms' own scores, in any order
    const std::string rotated = Rotated(query, encoding);
    int32_t again = 0;
    uint32_t placesAgain[kFuzzyMaxQuery];
    uint32_t countAgain = 0;
    FUZZ_REQUIRE(FuzzyMatch(rotated.data(), uint32_t(rotated.size()), text.data(),
                            uint32_t(text.size()), encoding, &again, placesAgain, &countAgain));
    FUZZ_REQUIRE(again == score && countAgain == count);
    for (uint32_t i = 0; i < count; ++i) FUZZ_REQUIRE(placesAgain[i] == positions[i]);
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
  const auto encoding = FuzzyEncoding(input.ConsumeIntegralInRange<uint8_t>(0, 5));
  const std::string typed = input.ConsumeRandomLengthString(48);
  std::vector<std::string> texts;
  std::vector<std::vector<Character>> characters;
  while (input.remaining_bytes() > 0 && texts.size() < 6) {
    texts.push_back(input.ConsumeRandomLengthString(700));
    characters.push_back(Characters(texts.back(), encoding));
  }
  std::vector<FuzzyText> list;
  for (const std::string& text : texts) list.push_back({text.data(), uint32_t(text.size())});

  FuzzyRanker narrowing, firstRows, permuted;
  FUZZ_REQUIRE(narrowing.SetTexts(list.data(), uint32_t(list.size()), encoding));
  FUZZ_REQUIRE(firstRows.SetTexts(list.data(), uint32_t(list.size()), encoding));
  FUZZ_REQUIRE(permuted.SetTexts(list.data(), uint32_t(list.size()), encoding));
  const auto first = uint32_t(1 + typed.size() % 3);  // rows put in order before the rest
  // Typed byte by byte, as a user types (a multi-byte character arrives in pieces), then pasted
  // twice more, which may go past the longest query.
  for (std::size_t length = 0; length <= typed.size() + 1; ++length) {
    const std::string query =
        length <= typed.size() ? typed.substr(0, length) : typed + typed + typed;
    const QueryForm form = ReadQuery(query, encoding);
    std::vector<int32_t> scores(texts.size());
    std::vector<uint32_t> expected;
    for (uint32_t t = 0; t < texts.size(); ++t) {
      bool matched = false;
      scores[t] = CheckMatch(query, form, texts[t], characters[t], encoding, &matched);
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
    // The best few first, the rest left unordered, also while narrowing.
    FUZZ_REQUIRE(firstRows.Rank(query.data(), uint32_t(query.size()), first) == count);
    const uint32_t* best = firstRows.Matches(first);
    for (uint32_t r = 0; r < first && r < count; ++r) {
      FUZZ_REQUIRE(best[r] == expected[r] && firstRows.MatchScore(r) == narrowed.scores[r]);
    }
    // The terms in another order rank the same.
    const std::string rotated = Rotated(query, encoding);
    if (form.terms.size() > 1 && form.length <= kFuzzyMaxQuery) {
      const uint32_t again = permuted.Rank(rotated.data(), uint32_t(rotated.size()));
      FUZZ_REQUIRE(Take(permuted, again) == narrowed);
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
