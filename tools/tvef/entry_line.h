// One entry as a line of text: the flags value 0-3 in decimal, a tab, the escaped name.
#pragma once

#include <string>
#include <string_view>

#include "tolvane/file_entry_list.h"

namespace tvef {

// The line for `entry`, without its line end; bits 2 to 7 of the flags are not shown.
std::string FormatEntryLine(const tolvane::FileEntry& entry);

// Reads a line (without its "\n"; a trailing "\r" is taken as part of a CR LF line end). False,
// with the reason in `problem`, when it is not in the form FormatEntryLine writes or the name is
// too long for a file-list record.
bool ParseEntryLine(std::string_view line, tolvane::FileEntry& entry, std::string& problem);

}  // namespace tvef
