#include "text_filter.h"

#include <algorithm>

#include "ctags_tag.h"
#include "workspace_file.h"

namespace tolvane::host {

namespace {
char Lower(char c) {
  return (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c;
}
}  // namespace

bool ContainsIgnoringCase(std::string_view haystack, std::string_view needle) {
  if (needle.empty()) return true;
  auto found = std::search(haystack.begin(), haystack.end(), needle.begin(), needle.end(),
                           [](char a, char b) { return Lower(a) == Lower(b); });
  return found != haystack.end();
}

std::vector<uint32_t> FilterFiles(const std::vector<WorkspaceFile>& files,
                                  std::string_view filter) {
  std::vector<uint32_t> keys;
  for (std::size_t i = 0; i < files.size(); ++i) {
    if (ContainsIgnoringCase(files[i].FileName(), filter)) keys.push_back(uint32_t(i));
  }
  return keys;
}

std::vector<uint32_t> FilterTags(const std::vector<CtagsTag>& tags, std::string_view parentFilter,
                                 std::string_view tagFilter) {
  std::vector<uint32_t> rows;
  for (std::size_t i = 0; i < tags.size(); ++i) {
    if (ContainsIgnoringCase(tags[i].parent, parentFilter) &&
        ContainsIgnoringCase(tags[i].name, tagFilter)) {
      rows.push_back(uint32_t(i));
    }
  }
  return rows;
}

}  // namespace tolvane::host
