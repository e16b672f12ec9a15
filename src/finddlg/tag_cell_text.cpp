#include "finddlg/tag_cell_text.h"

#include <algorithm>

#include "finddlg/file_cell_text.h"

namespace tolvane {

namespace {

// Indexed by kind number; "File" is kind 5, not in alphabetical place.
constexpr const char* kKindLabels[] = {"Class",   "Decl",     "Define",  "Enum",   "EnumVal",
                                       "File",    "Function", "MemVar",  "NSpace", "Struct",
                                       "Typedef", "Union",    "Variable"};
static_assert(std::size(kKindLabels) == kTagKindCount, "one label per tag kind");

const char* OrEmpty(const char* text) {
  return text != nullptr ? text : "";
}

}  // namespace

const char* TagKindLabel(int32_t kind) {
  if (kind < 0 || kind >= kTagKindCount) return nullptr;
  return kKindLabels[kind];
}

void ComposeLineText(std::string& out, std::string_view pattern) {
  std::string_view body = pattern;
  body.remove_prefix(std::min(body.find_first_not_of('^'), body.size()));
  const std::size_t last = body.find_last_not_of('$');
  body = last == std::string_view::npos ? std::string_view() : body.substr(0, last + 1);
  out.assign(body);
  std::replace(out.begin(), out.end(), '\t', ' ');
}

void AnswerTagDisplayRequest(DisplayRequest& request, const HostTagArray* tagArray,
                             DisplayTextRing& ring) {
  request.mask = kListItemText;
  if (request.row < 0 || tagArray == nullptr || tagArray->tags == nullptr) return;
  HostTagRecord* tag = tagArray->tags[request.row];
  if (tag == nullptr) return;
  switch (request.column) {
    case 0:
      if (const char* label = TagKindLabel(tag->Kind())) request.text = label;
      break;
    case 1:
      request.text = OrEmpty(tag->Namespace());
      break;
    case 2:
      request.text = OrEmpty(tag->ParentName());
      break;
    case 3:
      request.text = OrEmpty(tag->Name());
      break;
    case 4: {
      HostFileRecord* file = tag->File();
      if (file == nullptr) break;
      const std::string title = file->Title();
      const std::string extension = file->Extension();
      request.text =
          ring.StoreComposed([&](std::string& slot) { ComposeFileName(slot, title, extension); });
      break;
    }
    case 5: {
      const std::string_view pattern = OrEmpty(tag->Pattern());
      request.text = ring.StoreComposed([&](std::string& slot) { ComposeLineText(slot, pattern); });
      break;
    }
    default:
      break;
  }
}

}  // namespace tolvane
