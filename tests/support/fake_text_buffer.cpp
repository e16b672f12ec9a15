#include "support/fake_text_buffer.h"

#include <algorithm>
#include <utility>

namespace tolvane::testing {
namespace {

char Folded(char c) {
  return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

bool IsWordCharacter(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_';
}

int32_t ToColumn(std::size_t offset) {
  return static_cast<int32_t>(offset) + 1;
}

}  // namespace

FakeTextBuffer::FakeTextBuffer(std::vector<std::string> lines) : lines_(std::move(lines)) {
  if (lines_.empty()) lines_.emplace_back();
}

int32_t FakeTextBuffer::LineLength(int32_t line) const {
  return static_cast<int32_t>(lines_[static_cast<std::size_t>(line - 1)].size());
}

std::string FakeTextBuffer::SelectedText() const {
  const TextPosition from = std::min(anchor_, caret_), to = std::max(anchor_, caret_);
  std::string text;
  for (int32_t line = from.line; line <= to.line; ++line) {
    const std::string& whole = lines_[static_cast<std::size_t>(line - 1)];
    const std::size_t begin = line == from.line ? static_cast<std::size_t>(from.column - 1) : 0;
    const std::size_t end =
        line == to.line ? static_cast<std::size_t>(to.column - 1) : whole.size();
    if (line != from.line) text += '\n';
    text += whole.substr(begin, end - begin);
  }
  return text;
}

bool FakeTextBuffer::MoveTo(int32_t line, int32_t column, bool extend) {
  if (line < 1 || line > static_cast<int32_t>(lines_.size())) return false;
  if (column < 1 || column > LineLength(line) + 1) return false;
  caret_ = {line, column};
  if (!extend) anchor_ = caret_;
  return true;
}

void FakeTextBuffer::EndOfLine(bool extend) {
  caret_.column = LineLength(caret_.line) + 1;
  if (!extend) anchor_ = caret_;
}

void FakeTextBuffer::StartOfLine(int32_t where, bool extend) {
  const std::string& line = lines_[static_cast<std::size_t>(caret_.line - 1)];
  std::size_t offset = 0;
  if (where == 1) {
    offset = line.find_first_not_of(" \t");
    if (offset == std::string::npos) offset = line.size();
  }
  caret_.column = ToColumn(offset);
  if (!extend) anchor_ = caret_;
}

bool FakeTextBuffer::MatchesAt(const std::string& line, std::size_t offset, const std::string& text,
                               int32_t flags) const {
  if (offset + text.size() > line.size()) return false;
  const bool matchCase = (flags & 0x4) != 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char have = line[offset + i], want = text[i];
    if (matchCase ? have != want : Folded(have) != Folded(want)) return false;
  }
  if ((flags & 0x2) != 0) {
    const std::size_t end = offset + text.size();
    if (offset > 0 && IsWordCharacter(line[offset - 1])) return false;
    if (end < line.size() && IsWordCharacter(line[end])) return false;
  }
  return true;
}

void FakeTextBuffer::Select(int32_t line, std::size_t start, std::size_t end, bool caretAtStart) {
  const TextPosition first{line, ToColumn(start)}, last{line, ToColumn(end)};
  anchor_ = caretAtStart ? last : first;
  caret_ = caretAtStart ? first : last;
}

bool FakeTextBuffer::Find(const std::string& text, int32_t flags) {
  if (text.empty()) return false;
  const int32_t lineCount = static_cast<int32_t>(lines_.size());
  const bool fromStart = (flags & 0x100) != 0;
  if ((flags & 0x80) == 0) {
    const TextPosition start = fromStart ? TextPosition{1, 1} : std::max(caret_, anchor_);
    for (int32_t line = start.line; line <= lineCount; ++line) {
      const std::string& whole = lines_[static_cast<std::size_t>(line - 1)];
      std::size_t offset = line == start.line ? static_cast<std::size_t>(start.column - 1) : 0;
      for (; offset + text.size() <= whole.size(); ++offset) {
        if (MatchesAt(whole, offset, text, flags)) {
          Select(line, offset, offset + text.size(), false);
          return true;
        }
      }
    }
    return false;
  }
  const TextPosition end =
      fromStart ? TextPosition{lineCount, LineLength(lineCount) + 1} : std::min(caret_, anchor_);
  for (int32_t line = end.line; line >= 1; --line) {
    const std::string& whole = lines_[static_cast<std::size_t>(line - 1)];
    // Offsets before the selection's start (every offset on earlier lines), last one first.
    std::size_t limit =
        line == end.line ? static_cast<std::size_t>(end.column - 1) : whole.size() + 1;
    while (limit-- > 0) {
      if (MatchesAt(whole, limit, text, flags)) {
        Select(line, limit, limit + text.size(), true);
        return true;
      }
    }
  }
  return false;
}

void FakeTextBuffer::Show(int32_t how) {
  shownLine_ = caret_.line;
  shownCentered_ = how == 0;
}

}  // namespace tolvane::testing
