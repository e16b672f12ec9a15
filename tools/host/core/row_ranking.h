// The host's choice and order of rows for the Find lists: the texts that the typed queries match,
// best first, as the SDK's fuzzy matcher (fuzzy_match.h) ranks them. Each ranking keeps its
// matcher's buffers, so typing on re-scores only the rows the shorter query matched.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "tolvane/fuzzy_match.h"

namespace tolvane::host {

struct CtagsTag;
struct WorkspaceFile;

class FileRanking {
 public:
  // Ranks by each file's name (title and extension), the text the Find File list shows first.
  void Assign(const std::vector<WorkspaceFile>& files, FuzzyEncoding encoding);
  // Keys (indexes into the files) of the names `query` matches, best first; a line number at its
  // end (`widget.cpp:120`, see FuzzyLineSuffix) is no part of the query.
  std::vector<uint32_t> Rank(std::string_view query);

 private:
  std::vector<std::string> names_;
  std::vector<FuzzyText> texts_;
  FuzzyRanker ranker_;
};

class TagRanking {
 public:
  // Borrows the tags until the next Assign.
  void Assign(const std::vector<CtagsTag>& tags, FuzzyEncoding encoding);
  // Indexes of the tags whose name `tagQuery` matches and whose parent `parentQuery` matches,
  // ranked by the name.
  std::vector<uint32_t> Rank(std::string_view parentQuery, std::string_view tagQuery);

 private:
  const std::vector<CtagsTag>* tags_ = nullptr;
  FuzzyEncoding encoding_ = FuzzyEncoding::kSingleByte;
  std::vector<FuzzyText> texts_;
  FuzzyRanker ranker_;
};

}  // namespace tolvane::host
