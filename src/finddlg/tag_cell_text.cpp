#include "finddlg/tag_cell_text.h"

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
  const char* begin = pattern.data();
  const char* end = begin + pattern.size();
  while (begin != end && *begin == '^') ++begin;
  while (end != begin && end[-1] == '$') --end;
  // One pass from the pattern into the slot: copying first and replacing in place afterwards
  // reads back bytes just stored, which costs about twice as much.
  const std::size_t length = static_cast<std::size_t>(end - begin);
  out.resize(length);
  char* __restrict to = out.data();
  const char* __restrict from = begin;
  for (std::size_t i = 0; i < length; ++i) to[i] = from[i] == '\t' ? ' ' : from[i];
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
