#include "history/history_stored_form.h"

namespace tolvane {

namespace {
constexpr char kItemEnd = '|';
}

std::string EncodeHistory(const HistoryList& list) {
  std::string stored;
  for (const std::string& item : list.Items()) {
    stored += item;
    stored += kItemEnd;
  }
  return stored;
}

HistoryList DecodeHistory(std::string_view stored, const LeadBytes& leadBytes) {
  HistoryList list;
  std::size_t cut = 0;
  for (std::size_t end = leadBytes.Find(stored, kItemEnd); end != std::string_view::npos;
       end = leadBytes.Find(stored, kItemEnd, cut)) {
    list.Append(std::string(stored.substr(cut, end - cut)));
    cut = end + 1;
  }
  if (cut < stored.size()) list.Append(std::string(stored.substr(cut)));
  return list;
}

}  // namespace tolvane
