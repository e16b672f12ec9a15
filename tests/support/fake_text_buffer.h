// The text of one file in the fake IDE's editor: lines, a caret and a selection anchor, with the
// editor's moves and its find operation. Positions are 1-based; a column runs to length + 1.
#pragma once

#include <compare>
#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

namespace tolvane::testing {

struct TextPosition {
  int32_t line = 1;
  int32_t column = 1;
  auto operator<=>(const TextPosition&) const = default;
  friend std::ostream& operator<<(std::ostream& out, const TextPosition& position) {
    return out << "(" << position.line << ", " << position.column << ")";
  }
};

class FakeTextBuffer {
 public:
  explicit FakeTextBuffer(std::vector<std::string> lines = {});

  const std::vector<std::string>& Lines() const { return lines_; }
  TextPosition Caret() const { return caret_; }
  TextPosition Anchor() const { return anchor_; }
  // The text between anchor and caret, lines joined by "\n".
  std::string SelectedText() const;

  // False (and nothing moves) for a position outside the text.
  bool MoveTo(int32_t line, int32_t column, bool extend);
  void EndOfLine(bool extend);
  // where 0: the first column; 1: the first character that is not a space or a tab.
  void StartOfLine(int32_t where, bool extend);

  // Searches within single lines with the editor's flags: 0x2 whole word, 0x4 case-sensitive,
  // 0x8 regular expression (matched as literal text), 0x80 backwards, 0x100 from the start
  // (the end when backwards). Forward, a match may begin where the selection ends; backwards
  // it begins before the selection starts. A match becomes the selection, caret at its end
  // (at its start backwards).
  // An empty text is never found.
  bool Find(const std::string& text, int32_t flags);

  // What the last "try to show" asked for: the caret line then, and whether centred.
  void Show(int32_t how);
  int32_t ShownLine() const { return shownLine_; }
  bool ShownCentered() const { return shownCentered_; }

 private:
  int32_t LineLength(int32_t line) const;
  bool MatchesAt(const std::string& line, std::size_t offset, const std::string& text,
                 int32_t flags) const;
  void Select(int32_t line, std::size_t start, std::size_t end, bool caretAtStart);

  std::vector<std::string> lines_;
  TextPosition caret_;
  TextPosition anchor_;
  int32_t shownLine_ = 0;
  bool shownCentered_ = false;
};

}  // namespace tolvane::testing
