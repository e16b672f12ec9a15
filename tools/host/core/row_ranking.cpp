#include "row_ranking.h"

#include "ctags_tag.h"
#include "workspace_file.h"

namespace tolvane::host {
namespace {

FuzzyText TextOf(const std::string& text) {
  return FuzzyText{text.data(), static_cast<uint32_t>(text.size())};
}

std::vector<uint32_t> Ranked(FuzzyRanker& ranker, std::string_view query) {
  const uint32_t count = ranker.Rank(query.data(), static_cast<uint32_t>(query.size()));
  return std::vector<uint32_t>(ranker.Matches(), ranker.Matches() + count);
}

}  // namespace

void FileRanking::Assign(const std::vector<WorkspaceFile>& files, FuzzyEncoding encoding) {
  names_.clear();
  for (const WorkspaceFile& file : files) names_.push_back(file.FileName());
  texts_.clear();
  for (const std::string& name : names_) texts_.push_back(TextOf(name));
  // Out of memory the ranker holds no texts and the list shows no rows.
  ranker_.SetTexts(texts_.data(), static_cast<uint32_t>(texts_.size()), encoding);
}

std::vector<uint32_t> FileRanking::Rank(std::string_view query) {
  uint32_t length = 0;
  uint32_t line = 0;
  FuzzyLineSuffix(query.data(), static_cast<uint32_t>(query.size()), &length, &line);
  return Ranked(ranker_, query.substr(0, length));
}

void TagRanking::Assign(const std::vector<CtagsTag>& tags, FuzzyEncoding encoding) {
  tags_ = &tags;
  encoding_ = encoding;
  texts_.clear();
  for (const CtagsTag& tag : tags) texts_.push_back(TextOf(tag.name));
  ranker_.SetTexts(texts_.data(), static_cast<uint32_t>(texts_.size()), encoding);
}

std::vector<uint32_t> TagRanking::Rank(std::string_view parentQuery, std::string_view tagQuery) {
  std::vector<uint32_t> rows = Ranked(ranker_, tagQuery);
  if (parentQuery.empty() || tags_ == nullptr) return rows;
  std::erase_if(rows, [&](uint32_t row) {
    const std::string& parent = (*tags_)[row].parent;
    int32_t score = 0;
    uint32_t positions[kFuzzyMaxQuery];
    uint32_t count = 0;
    return !FuzzyMatch(parentQuery.data(), static_cast<uint32_t>(parentQuery.size()), parent.data(),
                       static_cast<uint32_t>(parent.size()), encoding_, &score, positions, &count);
  });
  return rows;
}

}  // namespace tolvane::host
