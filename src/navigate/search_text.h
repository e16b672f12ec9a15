// The text searched for when a tag has no line number, made from the tag's search pattern.
#pragma once

#include <string>

namespace tolvane {

// Drops the pattern's first character (its leading "^") and every "$" at the end of the rest.
// A null or empty pattern gives an empty text.
std::string SearchTextFromPattern(const char* pattern);

}  // namespace tolvane
