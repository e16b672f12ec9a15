// How tvef writes a file name on one line: backslash, the bytes below 0x20 and 0x7F are escaped
// (\\ \t \n \r, otherwise \xHH with lower-case hex digits); every other byte stands as it is.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace tvef {

std::string EscapeName(std::string_view name);

// The reverse. Accepts upper- or lower-case hex digits. On a malformed escape or an unescaped
// control byte returns false and says why in `problem`.
bool UnescapeName(std::string_view text, std::string& name, std::string& problem);

}  // namespace tvef
