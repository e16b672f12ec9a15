// One tag as the host keeps it, read from a Universal Ctags `tags` file.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tolvane::host {

struct CtagsTag {
  std::string name;
  std::string file;       // as the tags file names it (usually relative to the tags file)
  std::string pattern;    // delimiters removed and escapes undone: "^int main()$"
  int32_t line = -1;      // 1-based; -1 when the tags file gives none
  int32_t kind = 0;       // one of the module's 13 tag kinds
  std::string parent;     // innermost enclosing class, struct, union or enum
  std::string nameSpace;  // what encloses the parent (or the tag itself)
};

// Parses one line of a tags file; nullopt for pseudo-tags ("!_TAG_"), blank or malformed lines
// and tags of a kind the module has no column label for.
std::optional<CtagsTag> ParseTagsLine(std::string_view line);

// Every usable tag of a whole tags file's text, in the file's order.
std::vector<CtagsTag> ParseTagsText(std::string_view text);

}  // namespace tolvane::host
