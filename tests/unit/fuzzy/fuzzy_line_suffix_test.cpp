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
    uint32_t queryLength, line;
  } const rows[] = {
      {"widget.cpp:120", true, 10, 120},
      {"a:7  ", true, 1, 7},
      {":12", true, 0, 12},
      {"a:999999999", true, 1, 999999999},
      {"a:12:", false, 4, 0},  // only the last ':' counts
      {"a:", false, 1, 0},
      {"a:0", false, 1, 0},  // no line (yet): the ':' is dropped all the same
      {"a:1234567890", false, 12, 0},
      {"a: 12", false, 5, 0},
      {"", false, 0, 0},
  };
  for (const Row& row : rows) {
    uint32_t queryLength = 99, line = 99;
    const uint32_t length = uint32_t(std::strlen(row.query));
    EXPECT_EQ(FuzzyLineSuffix(row.query, length, &queryLength, &line), row.found) << row.query;
    EXPECT_EQ(queryLength, row.queryLength) << row.query;
    EXPECT_EQ(line, row.line) << row.query;
  }
}

}  // namespace
}  // namespace tolvane
