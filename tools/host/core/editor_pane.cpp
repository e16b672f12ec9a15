#include "editor_pane.h"

namespace tolvane::host {

void GoToLine(EditorPane& pane, int32_t line) {
  const TextBuffer& text = pane.Buffer();
  const std::size_t start = text.LineStart(line);
  pane.Select(CaretRange{start, start});
  pane.ScrollLineToMiddle(text.LineOf(start));
}

}  // namespace tolvane::host
