#include "tvef/entry_line.h"

#include "filelist/file_list_format.h"
#include "tolvane/file_entry_list.h"
#include "tvef/name_escape.h"

namespace tvef {

std::string FormatEntryLine(std::string_view name, uint8_t flags) {
  std::string line(1, char('0' + (flags & tolvane::kFileMeaningfulBits)));
  line += '\t';
  line += EscapeName(name);
  return line;
}

bool ParseEntryLine(std::string_view line, std::string& name, uint8_t& flags,
                    std::string& problem) {
  if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
  if (line.size() < 2 || line[1] != '\t') {
    problem = "expected a flags value 0-3, a tab and a name";
    return false;
  }
  if (line[0] < '0' || line[0] > '3') {
    problem = std::string("flags value '") + line[0] + "' is not 0, 1, 2 or 3";
    return false;
  }
  if (!UnescapeName(line.substr(2), name, problem)) return false;
  if (name.size() > tolvane::file_list_format::kMaxNameLength) {
    problem = "name of " + std::to_string(name.size()) +
              " bytes is longer than the 65535 a file list can hold";
    return false;
  }
  flags = uint8_t(line[0] - '0');
  return true;
}

}  // namespace tvef
