// The host's editor pane as its automation model sees it; the Win32 program implements it over a
// read-only edit control, the tests over memory.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "text_buffer.h"

namespace tolvane::host {

// A selection as two offsets into the pane's text; the caret stands at `active`.
struct CaretRange {
  std::size_t anchor = 0;
  std::size_t active = 0;
};

class EditorPane {
 public:
  // Loads the file into the pane, caret at the top; false (pane unchanged) when unreadable.
  virtual bool OpenFile(const std::string& path) = 0;
  virtual const std::string& CurrentFile() const = 0;  // empty before the first file
  virtual const TextBuffer& Buffer() const = 0;
  virtual CaretRange Selection() const = 0;
  virtual void Select(CaretRange range) = 0;
  // Scrolls so that the 1-based line stands in the middle of the view.
  virtual void ScrollLineToMiddle(int32_t line) = 0;
  virtual int32_t WindowHandle() const = 0;  // the main window's handle, as the IDE reports it

 protected:
  ~EditorPane() = default;
};

// Puts the caret at the start of a 1-based line, clamped to the pane's lines, and centres it.
void GoToLine(EditorPane& pane, int32_t line);

}  // namespace tolvane::host
