// A remembered list of searched-for texts, most recent first (index 0). It has no size limit of
// its own: only a combo box's add rule trims (see history_combo.h).
#pragma once

#include <cstddef>
#include <string>
#include <utility>
#include <vector>

namespace tolvane {

class HistoryList {
 public:
  HistoryList() = default;

  const std::vector<std::string>& Items() const { return items_; }
  std::size_t Size() const { return items_.size(); }
  bool Empty() const { return items_.empty(); }
  const std::string& operator[](std::size_t index) const { return items_[index]; }

  void Clear() { items_.clear(); }
  void Append(std::string item) { items_.push_back(std::move(item)); }

 private:
  std::vector<std::string> items_;
};

}  // namespace tolvane
