#include "navigate/search_text.h"

namespace tolvane {

std::string SearchTextFromPattern(const char* pattern) {
  if (pattern == nullptr || pattern[0] == '\0') return {};
  std::string text(pattern + 1);
  const std::size_t kept = text.find_last_not_of('$');
  text.erase(kept == std::string::npos ? 0 : kept + 1);
  return text;
}

}  // namespace tolvane
