#include "text_buffer.h"

#include <algorithm>

namespace tolvane::host {

namespace {

char Lower(char c) {
  return (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c;
}

bool IsWordChar(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_';
}

}  // namespace

void TextBuffer::Assign(std::string_view text) {
  text_.clear();
  text_.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r') {
      text_ += '\n';
      if (i + 1 < text.size() && text[i + 1] == '\n') ++i;
    } else {
      text_ += text[i];
    }
  }
  lineStarts_.assign(1, 0);
  for (std::size_t i = 0; i < text_.size(); ++i) {
    if (text_[i] == '\n') lineStarts_.push_back(i + 1);
  }
}

std::size_t TextBuffer::LineStart(int32_t line) const {
  line = std::clamp(line, 1, LineCount());
  return lineStarts_[std::size_t(line - 1)];
}

std::size_t TextBuffer::LineEnd(int32_t line) const {
  line = std::clamp(line, 1, LineCount());
  return line == LineCount() ? text_.size() : lineStarts_[std::size_t(line)] - 1;
}

int32_t TextBuffer::LineOf(std::size_t offset) const {
  auto after = std::upper_bound(lineStarts_.begin(), lineStarts_.end(), offset);
  return int32_t(after - lineStarts_.begin());
}

std::size_t TextBuffer::OffsetOf(int32_t line, int32_t column) const {
  const std::size_t start = LineStart(line);
  const std::size_t end = LineEnd(line);
  const std::size_t wanted = start + std::size_t(std::max(column, 1) - 1);
  return std::min(wanted, end);
}

std::optional<std::size_t> TextBuffer::Find(std::string_view needle, std::size_t from,
                                            int32_t flags) const {
  if (needle.empty() || needle.size() > text_.size()) return std::nullopt;
  const bool matchCase = (flags & kFindMatchCase) != 0;
  const bool backward = (flags & kFindBackward) != 0;
  if (flags & kFindFromStart) from = backward ? text_.size() : 0;
  from = std::min(from, text_.size());

  auto matchesAt = [&](std::size_t at) {
    for (std::size_t k = 0; k < needle.size(); ++k) {
      const char a = text_[at + k], b = needle[k];
      if (matchCase ? a != b : Lower(a) != Lower(b)) return false;
    }
    if (flags & kFindMatchWord) {
      if (at > 0 && IsWordChar(text_[at - 1]) && IsWordChar(needle.front())) return false;
      const std::size_t end = at + needle.size();
      if (end < text_.size() && IsWordChar(text_[end]) && IsWordChar(needle.back())) return false;
    }
    return true;
  };

  const std::size_t last = text_.size() - needle.size();
  if (!backward) {
    for (std::size_t at = from; at <= last; ++at) {
      if (matchesAt(at)) return at;
    }
  } else {
    // Backward: a match that ends at or before `from`.
    if (from < needle.size()) return std::nullopt;
    for (std::size_t at = std::min(from - needle.size(), last) + 1; at-- > 0;) {
      if (matchesAt(at)) return at;
    }
  }
  return std::nullopt;
}

}  // namespace tolvane::host
