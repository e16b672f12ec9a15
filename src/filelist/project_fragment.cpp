#include "filelist/project_fragment.h"

#include "filelist/file_entry_ops.h"

namespace tolvane {

void AppendXmlAttributeText(std::string& out, std::string_view text) {
  std::size_t plainFrom = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char* replacement = nullptr;
    switch (text[i]) {
      case '&':
        replacement = "&amp;";
        break;
      case '<':
        replacement = "&lt;";
        break;
      case '>':
        replacement = "&gt;";
        break;
      case '"':
        replacement = "&quot;";
        break;
      default:
        continue;
    }
    out.append(text, plainFrom, i - plainFrom);
    out.append(replacement);
    plainFrom = i + 1;
  }
  out.append(text, plainFrom, std::string_view::npos);
}

std::string ProjectFragment(const FileEntryList& list, std::string_view lineEnd) {
  std::string text;
  text.append("<Files>").append(lineEnd);
  for (const FileEntry& entry : list) {
    if ((entry.flags & kFileInProject) == 0) continue;
    text.append("\t<File RelativePath=\"");
    AppendXmlAttributeText(text, NameOf(entry));
    text.append("\"/>").append(lineEnd);
  }
  text.append("</Files>").append(lineEnd);
  return text;
}

}  // namespace tolvane
