// The text of the file shown in the host's editor pane, with lines and search.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tolvane::host {

// Search flags of the automation model's find operation.
inline constexpr int32_t kFindMatchWord = 0x2;
inline constexpr int32_t kFindMatchCase = 0x4;
inline constexpr int32_t kFindBackward = 0x80;
inline constexpr int32_t kFindFromStart = 0x100;

class TextBuffer {
 public:
  TextBuffer() { Assign({}); }
  // Line ends are kept as "\n" alone: "\r\n" and lone "\r" are turned into "\n".
  void Assign(std::string_view text);

  const std::string& Text() const { return text_; }
  int32_t LineCount() const { return int32_t(lineStarts_.size()); }
  // Offsets of a 1-based line's first character and of its end (before its "\n").
  std::size_t LineStart(int32_t line) const;
  std::size_t LineEnd(int32_t line) const;
  int32_t LineOf(std::size_t offset) const;  // 1-based
  // Offset of a 1-based line and column, clamped into the text.
  std::size_t OffsetOf(int32_t line, int32_t column) const;

  // Where `needle` occurs, searching forward from `from` (or backward before it), with the
  // find flags above; the regular-expression flag is not supported and searches literally.
  std::optional<std::size_t> Find(std::string_view needle, std::size_t from, int32_t flags) const;

 private:
  std::string text_;
  std::vector<std::size_t> lineStarts_;
};

}  // namespace tolvane::host
