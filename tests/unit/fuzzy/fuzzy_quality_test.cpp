// The ranking a person expects, judged on the table of queries over this repository's files:
// the file meant comes first for at least nine queries in ten and among the first three always.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "support/fuzzy_quality_table.h"
#include "tolvane/fuzzy_match.h"

namespace tolvane {
namespace {

TEST(FuzzyQuality, TheMeantFileLeadsForNineQueriesInTenAndIsAlwaysInTheFirstThree) {
  std::size_t pathCount = 0, queryCount = 0;
  const char* const* paths = testing::RepositoryPaths(&pathCount);
  const testing::MeantFile* meant = testing::MeantFiles(&queryCount);
  ASSERT_GE(queryCount, 30u);
  std::vector<FuzzyText> texts;
  for (std::size_t i = 0; i < pathCount; ++i) {
    texts.push_back({paths[i], uint32_t(std::strlen(paths[i]))});
  }
  FuzzyRanker ranker;
  ASSERT_TRUE(ranker.SetTexts(texts.data(), uint32_t(texts.size()), FuzzyEncoding::kUtf8));

  std::size_t first = 0;
  for (std::size_t q = 0; q < queryCount; ++q) {
    const uint32_t matches = ranker.Rank(meant[q].query, uint32_t(std::strlen(meant[q].query)));
    uint32_t rank = 0;  // 1 for the first row; 0 when the file does not match at all
    for (uint32_t r = 0; r < matches && rank == 0; ++r) {
      if (std::strcmp(paths[ranker.Matches()[r]], meant[q].path) == 0) rank = r + 1;
    }
    const std::string leader = matches > 0 ? paths[ranker.Matches()[0]] : "(nothing)";
    EXPECT_TRUE(rank >= 1 && rank <= 3) << "\"" << meant[q].query << "\" puts " << meant[q].path
                                        << " at rank " << rank << "; first is " << leader;
    if (rank == 1) ++first;
  }
  EXPECT_GE(first * 10, queryCount * 9) << first << " of " << queryCount << " lead";
}

}  // namespace
}  // namespace tolvane
