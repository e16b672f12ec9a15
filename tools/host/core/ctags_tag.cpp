#include "ctags_tag.h"

#include <charconv>

#include "ctags_kind.h"

namespace tolvane::host {

namespace {

// The text between a pattern's delimiters with "\/" (or "\?") and "\\" undone; every other
// backslash is kept, since ctags writes it as it stands in the source.
std::string UnescapePattern(std::string_view body, char delimiter) {
  std::string out;
  out.reserve(body.size());
  for (std::size_t i = 0; i < body.size(); ++i) {
    if (body[i] == '\\' && i + 1 < body.size() &&
        (body[i + 1] == delimiter || body[i + 1] == '\\')) {
      ++i;
    }
    out += body[i];
  }
  return out;
}

std::optional<int32_t> ParseLineNumber(std::string_view text) {
  int32_t value = 0;
  auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size() || value < 1) return std::nullopt;
  return value;
}

// Reads the address field (a line number, a /pattern/ or ?pattern?, or "N;/pattern/") from the
// start of `rest`; on success `rest` is left after it.
bool ReadAddress(std::string_view& rest, CtagsTag& tag) {
  std::size_t digits = 0;
  while (digits < rest.size() && rest[digits] >= '0' && rest[digits] <= '9') ++digits;
  if (digits > 0) {
    auto number = ParseLineNumber(rest.substr(0, digits));
    if (!number) return false;
    tag.line = *number;
    rest.remove_prefix(digits);
    if (rest.size() < 2 || rest[0] != ';' || (rest[1] != '/' && rest[1] != '?')) return true;
    rest.remove_prefix(1);
  }
  if (rest.empty() || (rest[0] != '/' && rest[0] != '?')) return digits > 0;
  const char delimiter = rest[0];
  for (std::size_t i = 1; i < rest.size(); ++i) {
    if (rest[i] == '\\') {
      ++i;
    } else if (rest[i] == delimiter) {
      tag.pattern = UnescapePattern(rest.substr(1, i - 1), delimiter);
      rest.remove_prefix(i + 1);
      return true;
    }
  }
  return false;  // no closing delimiter
}

// "ns::Outer::Inner" -> parent "Inner", namespace "ns::Outer".
void SplitScope(std::string_view scope, CtagsTag& tag, bool scopeIsNamespace) {
  if (scopeIsNamespace) {
    tag.nameSpace = std::string(scope);
    return;
  }
  auto separator = scope.rfind("::");
  std::size_t width = 2;
  if (separator == std::string_view::npos) {
    separator = scope.rfind('.');  // the scope separator of most other languages
    width = 1;
  }
  if (separator == std::string_view::npos) {
    tag.parent = std::string(scope);
  } else {
    tag.parent = std::string(scope.substr(separator + width));
    tag.nameSpace = std::string(scope.substr(0, separator));
  }
}

bool IsScopeKind(std::string_view key) {
  return key == "class" || key == "struct" || key == "union" || key == "enum" ||
         key == "interface" || key == "namespace" || key == "module" || key == "package";
}

void ApplyField(std::string_view field, CtagsTag& tag, std::string_view& kindName) {
  const auto colon = field.find(':');
  if (colon == std::string_view::npos) {
    kindName = field;  // a bare kind letter or name
    return;
  }
  const std::string_view key = field.substr(0, colon);
  std::string_view value = field.substr(colon + 1);
  if (key == "kind") {
    kindName = value;
  } else if (key == "line") {
    if (auto number = ParseLineNumber(value)) tag.line = *number;
  } else if (key == "scope") {
    // "scope:KIND:NAME", written by --fields=+Z.
    const auto inner = value.find(':');
    if (inner != std::string_view::npos) {
      const std::string_view scopeKind = value.substr(0, inner);
      SplitScope(value.substr(inner + 1), tag, scopeKind == "namespace");
    }
  } else if (IsScopeKind(key)) {
    SplitScope(value, tag, key == "namespace" || key == "module" || key == "package");
  }
}

}  // namespace

std::optional<CtagsTag> ParseTagsLine(std::string_view line) {
  while (!line.empty() && (line.back() == '\r' || line.back() == '\n')) line.remove_suffix(1);
  if (line.empty() || line.starts_with("!_")) return std::nullopt;

  CtagsTag tag;
  const auto nameEnd = line.find('\t');
  if (nameEnd == std::string_view::npos || nameEnd == 0) return std::nullopt;
  tag.name = std::string(line.substr(0, nameEnd));
  std::string_view rest = line.substr(nameEnd + 1);
  const auto fileEnd = rest.find('\t');
  if (fileEnd == std::string_view::npos || fileEnd == 0) return std::nullopt;
  tag.file = std::string(rest.substr(0, fileEnd));
  rest.remove_prefix(fileEnd + 1);

  if (!ReadAddress(rest, tag)) return std::nullopt;

  std::string_view kindName;
  if (rest.starts_with(";\"")) {
    rest.remove_prefix(2);
    while (!rest.empty()) {
      if (rest[0] == '\t') {
        rest.remove_prefix(1);
        continue;
      }
      const auto end = rest.find('\t');
      ApplyField(rest.substr(0, end), tag, kindName);
      if (end == std::string_view::npos) break;
      rest.remove_prefix(end);
    }
  } else if (!rest.empty()) {
    return std::nullopt;  // something after the address that is not an extension field list
  }
  if (kindName.empty()) return std::nullopt;  // without a kind there is no column label
  const auto kind = MapCtagsKind(kindName);
  if (!kind) return std::nullopt;
  tag.kind = *kind;
  return tag;
}

std::vector<CtagsTag> ParseTagsText(std::string_view text) {
  std::vector<CtagsTag> tags;
  while (!text.empty()) {
    const auto end = text.find('\n');
    if (auto tag = ParseTagsLine(text.substr(0, end))) tags.push_back(std::move(*tag));
    if (end == std::string_view::npos) break;
    text.remove_prefix(end + 1);
  }
  return tags;
}

}  // namespace tolvane::host
