// A line number typed after a file's name: what is ranked and which line the host goes to.
#include <gtest/gtest.h>

#include <cstring>

#include "tolvane/fuzzy_match.h"

namespace tolvane {
namespace {

TEST(FuzzyLineSuffix, SplitsTheQueryFromTheLine) {
  struct Row {
    const char* query;
    bool found;
    uint32_t queryLength;
    uint32_t line;
  };
  const Row rows[] = {
      {"widget.cpp:120", true, 10, 120},
      {"a:7  ", true, 1, 7},                // spaces after the number
      {"a:007", true, 1, 7},                // leading zeros
      {"a:999999999", true, 1, 999999999},  // nine digits, the most
      {":12", true, 0, 12},                 // nothing but the line
      {"a b:3", true, 3, 3},                // the terms before it stay
      {"a:12:", false, 4, 0},               // only the last suffix counts
      {"a:", false, 1, 0},                  // the number not typed yet
      {":", false, 0, 0},
      {"a:0", false, 1, 0},
      {"a:1234567890", false, 12, 0},  // ten digits: no line
      {"a:12b", false, 5, 0},
      {"a: 12", false, 5, 0},
      {"a12", false, 3, 0},
      {"", false, 0, 0},
      {"  ", false, 2, 0},
  };
  for (const Row& row : rows) {
    uint32_t queryLength = 99;
    uint32_t line = 99;
    EXPECT_EQ(FuzzyLineSuffix(row.query, uint32_t(std::strlen(row.query)), &queryLength, &line),
              row.found)
        << row.query;
    EXPECT_EQ(queryLength, row.queryLength) << row.query;
    EXPECT_EQ(line, row.line) << row.query;
  }
}

}  // namespace
}  // namespace tolvane
