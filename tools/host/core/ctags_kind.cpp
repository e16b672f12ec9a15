#include "ctags_kind.h"

#include <array>
#include <utility>

#include "tolvane/host_objects.h"

namespace tolvane::host {

namespace {

// Long names cover every language ctags knows; one-letter kinds are read as C and C++ ones,
// the letters a tags file written without `--fields=+K` carries.
constexpr std::array<std::pair<std::string_view, int32_t>, 32> kKinds{{
    {"class", kTagClass},
    {"c", kTagClass},
    {"interface", kTagClass},
    {"prototype", kTagDecl},
    {"p", kTagDecl},
    {"externvar", kTagDecl},
    {"x", kTagDecl},
    {"macro", kTagDefine},
    {"d", kTagDefine},
    {"define", kTagDefine},
    {"enum", kTagEnum},
    {"g", kTagEnum},
    {"enumerator", kTagEnumVal},
    {"e", kTagEnumVal},
    {"file", kTagFile},
    {"F", kTagFile},
    {"function", kTagFunction},
    {"f", kTagFunction},
    {"method", kTagFunction},
    {"member", kTagMemVar},
    {"m", kTagMemVar},
    {"field", kTagMemVar},
    {"namespace", kTagNSpace},
    {"n", kTagNSpace},
    {"struct", kTagStruct},
    {"s", kTagStruct},
    {"typedef", kTagTypedef},
    {"t", kTagTypedef},
    {"union", kTagUnion},
    {"u", kTagUnion},
    {"variable", kTagVariable},
    {"v", kTagVariable},
}};

}  // namespace

std::optional<int32_t> MapCtagsKind(std::string_view kind) {
  for (const auto& [name, value] : kKinds) {
    if (name == kind) return value;
  }
  return std::nullopt;
}

}  // namespace tolvane::host
