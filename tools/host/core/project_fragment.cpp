#include "project_fragment.h"

namespace tolvane::host {

std::vector<std::string> ReadFragmentFiles(std::string_view fragment) {
  static constexpr std::string_view kOpen = "<File RelativePath=\"";
  static constexpr std::string_view kClose = "\"/>";
  std::vector<std::string> files;
  while (!fragment.empty()) {
    const auto end = fragment.find('\n');
    std::string_view line = fragment.substr(0, end);
    while (!line.empty() && (line.back() == '\r' || line.back() == ' ')) line.remove_suffix(1);
    const auto open = line.find(kOpen);
    // Names are written unescaped, so the value runs to the line's closing quote, not the first.
    if (open != std::string_view::npos && line.ends_with(kClose)) {
      const auto start = open + kOpen.size();
      if (line.size() >= start + kClose.size()) {
        files.emplace_back(line.substr(start, line.size() - kClose.size() - start));
      }
    }
    if (end == std::string_view::npos) break;
    fragment.remove_prefix(end + 1);
  }
  return files;
}

}  // namespace tolvane::host
