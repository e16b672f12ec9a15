#include "finddlg/file_cell_text.h"

#include <cstddef>
#include <cstring>

namespace tolvane {

const char* StoreFileName(DisplayTextRing& ring, std::string_view title,
                          std::string_view extension) {
  const std::size_t length = title.size() + (extension.empty() ? 0 : 1 + extension.size());
  char* text = ring.NextSlot(length);
  std::memcpy(text, title.data(), title.size());
  if (!extension.empty()) {
    text[title.size()] = '.';
    std::memcpy(text + title.size() + 1, extension.data(), extension.size());
  }
  return ring.Commit(length);
}

const char* StoreRecordFileName(HostFileRecord& record, DisplayTextRing& ring) {
  const char* title = record.Title();
  const char* extension = record.Extension();
  return StoreFileName(ring, title != nullptr ? title : "", extension != nullptr ? extension : "");
}

void AnswerFileDisplayRequest(DisplayRequest& request, const HostFileKeyArray* keyArray,
                              HostFileSource* const* sourceWord, DisplayTextRing& ring) {
  request.mask = kListItemText;
  if (request.row < 0 || keyArray == nullptr || keyArray->keys == nullptr ||
      sourceWord == nullptr || *sourceWord == nullptr)
    return;
  const uint32_t key = keyArray->keys[request.row];
  HostFileRecord* record = (*sourceWord)->Record(key);
  if (record == nullptr) return;
  if (request.column == 0) {
    request.text = StoreRecordFileName(*record, ring);
  } else {
    // A copy: the record's text lives only as long as the record, which nothing promises past
    // this request (a source may hand out a record made for the call).
    const char* path = record->Path();
    request.text = ring.StoreDisplayText(path != nullptr ? path : "");
  }
}

}  // namespace tolvane
