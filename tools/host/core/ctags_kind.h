// Ctags kinds (one-letter or long names) onto the module's 13 tag kinds.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace tolvane::host {

// The module's kind for a ctags kind, nullopt for kinds it has no label for (labels, locals...).
std::optional<int32_t> MapCtagsKind(std::string_view kind);

}  // namespace tolvane::host
