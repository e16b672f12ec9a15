#include "finddlg/file_cell_text.h"

namespace tolvane {

void ComposeFileName(std::string& out, std::string_view title, std::string_view extension) {
  out.assign(title);
  if (!extension.empty()) {
    out += '.';
    out += extension;
  }
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
    const std::string title = record->Title();
    const std::string extension = record->Extension();
    request.text =
        ring.StoreComposed([&](std::string& slot) { ComposeFileName(slot, title, extension); });
  } else {
    request.text = ring.StoreDisplayText(record->Path());
  }
}

}  // namespace tolvane
