// One entry as a line of text: the flags value 0-3 in decimal, a tab, the escaped name.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace tvef {

// The line for an entry, without its line end; bits 2 to 7 of the flags are not shown.
std::string FormatEntryLine(std::string_view name, uint8_t flags);

// Reads a line (without its "\n"; a trailing "\r" is taken as part of a CR LF line end). False,
// with the reason in `problem`, when it is not in the form FormatEntryLine writes or the name is
// too long for a file-list record.
bool ParseEntryLine(std::string_view line, std::string& name, uint8_t& flags, std::string& problem);

}  // namespace tvef
