// Wide automation strings to the host's narrow strings (the ANSI code page on Windows, UTF-8
// elsewhere).
#pragma once

#include <string>

#include "tolvane/automation.h"

namespace tolvane::host {

// A null string gives an empty one.
std::string NarrowFromWide(const WideChar* text);

}  // namespace tolvane::host
