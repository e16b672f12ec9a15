#include "finddlg/file_cell_text.h"

namespace tolvane {

void ComposeFileName(std::string& out, std::string_view title, std::string_view extension) {
  out.assign(title);
  if (!extension.empty()) {
    out += '.';
    out += extension;
  }
}

const char* ComposeRecordFileName(HostFileRecord& record, DisplayTextRing& ring) {
  const char* title = record.Title();
  const char* extension = record.Extension();
  return ring.StoreComposed([&](std::string& slot) {
    ComposeFileName(slot, title != nullptr ? title : "", extension != nullptr ? extension : "");
  });
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
    request.text = ComposeRecordFileName(*record, ring);
  } else {
    // The record's text stays valid while the record lives: the control can read it in place.
    const char* path = record->Path();
    request.text = path != nullptr ? path : "";
  }
}

}  // namespace tolvane
