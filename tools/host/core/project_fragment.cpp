#include "project_fragment.h"

#include <utility>

namespace tolvane::host {
namespace {

// The module writes & < > " in a name as &amp; &lt; &gt; &quot;; any other "&" is the name's own.
std::string Unescaped(std::string_view value) {
  static constexpr std::pair<std::string_view, char> kEntities[] = {
      {"&amp;", '&'}, {"&lt;", '<'}, {"&gt;", '>'}, {"&quot;", '"'}};
  std::string name;
  name.reserve(value.size());
  while (!value.empty()) {
    char next = value.front();
    std::size_t length = 1;
    for (const auto& [entity, character] : kEntities) {
      if (value.starts_with(entity)) {
        next = character;
        length = entity.size();
        break;
      }
    }
    name += next;
    value.remove_prefix(length);
  }
  return name;
}

}  // namespace

std::vector<std::string> ReadFragmentFiles(std::string_view fragment) {
  static constexpr std::string_view kOpen = "<File RelativePath=\"";
  static constexpr std::string_view kClose = "\"/>";
  std::vector<std::string> files;
  while (!fragment.empty()) {
    const auto end = fragment.find('\n');
    std::string_view line = fragment.substr(0, end);
    while (!line.empty() && (line.back() == '\r' || line.back() == ' ')) line.remove_suffix(1);
    const auto open = line.find(kOpen);
    // The value runs to the line's closing quote, so a quote left unescaped stays in the name.
    if (open != std::string_view::npos && line.ends_with(kClose)) {
      const auto start = open + kOpen.size();
      if (line.size() >= start + kClose.size()) {
        files.push_back(Unescaped(line.substr(start, line.size() - kClose.size() - start)));
      }
    }
    if (end == std::string_view::npos) break;
    fragment.remove_prefix(end + 1);
  }
  return files;
}

}  // namespace tolvane::host
