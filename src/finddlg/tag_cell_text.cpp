#include "finddlg/tag_cell_text.h"

#include <cstdint>
#include <cstring>
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

// Eight bytes at a time in one 64-bit word: each tab byte is found exactly (no carries between
// bytes) and turned into a space by one exclusive-or.
constexpr std::size_t kChunk = sizeof(uint64_t);
constexpr uint64_t kEveryByte = 0x0101010101010101u;

void CopyChunkTabsAsSpaces(char* to, const char* from) {
  uint64_t word;
  std::memcpy(&word, from, kChunk);
  const uint64_t tabsZero = word ^ (kEveryByte * '\t');
  const uint64_t low7 = kEveryByte * 0x7F;
  // High bit of each byte that is zero in tabsZero, that is, of each tab.
  const uint64_t isTab = ~(((tabsZero & low7) + low7) | tabsZero | low7);
  word ^= (isTab >> 7) * ('\t' ^ ' ');
  std::memcpy(to, &word, kChunk);
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
  // One pass from the pattern into the slot, a word at a time: copying first and replacing in
  // place afterwards reads back bytes just stored, which costs about twice as much.
  const std::size_t length = static_cast<std::size_t>(end - begin);
  out.resize(length);
  char* to = out.data();
  std::size_t i = 0;
  for (; i + kChunk <= length; i += kChunk) CopyChunkTabsAsSpaces(to + i, begin + i);
  if (i == length) return;
  if (length >= kChunk) {  // the last chunk again, overlapping: same source, same result
    CopyChunkTabsAsSpaces(to + length - kChunk, begin + length - kChunk);
    return;
  }
  for (; i < length; ++i) to[i] = begin[i] == '\t' ? ' ' : begin[i];
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
      if (HostFileRecord* file = tag->File()) request.text = ComposeRecordFileName(*file, ring);
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
