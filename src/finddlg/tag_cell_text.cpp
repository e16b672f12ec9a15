#include "finddlg/tag_cell_text.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <iterator>

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

const char* StoreLineText(DisplayTextRing& ring, std::string_view pattern) {
  const std::size_t begin = std::min(pattern.find_first_not_of('^'), pattern.size());
  const std::size_t end = pattern.find_last_not_of('$') + 1;  // 0 when all are "$"
  const std::string_view line = end > begin ? pattern.substr(begin, end - begin) : "";
  std::replace_copy(line.begin(), line.end(), ring.NextSlot(line.size()), '\t', ' ');
  return ring.Commit(line.size());
}

const char* TagKindLabel(int32_t kind) {
  if (kind < 0 || kind >= kTagKindCount) return nullptr;
  return kKindLabels[kind];
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
      if (HostFileRecord* file = tag->File()) request.text = StoreRecordFileName(*file, ring);
      break;
    }
    case 5:
      request.text = StoreLineText(ring, OrEmpty(tag->Pattern()));
      break;
    default:
      break;
  }
}

}  // namespace tolvane
