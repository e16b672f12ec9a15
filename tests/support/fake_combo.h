// A combo box's drop-down list as a vector of texts.
#pragma once

#include <string>
#include <vector>

#include "seams/combo_items.h"

namespace tolvane::testing {

class FakeComboItems : public ComboItems {
 public:
  FakeComboItems() = default;
  explicit FakeComboItems(std::vector<std::string> initial) : items(std::move(initial)) {}

  int Count() override { return static_cast<int>(items.size()); }
  std::string Text(int index) override { return items.at(static_cast<std::size_t>(index)); }
  void Add(const std::string& text) override { items.push_back(text); }
  void Insert(int index, const std::string& text) override {
    items.insert(items.begin() + index, text);
  }
  void Delete(int index) override {
    ++deletes;
    if (!refuseDeletes) items.erase(items.begin() + index);
  }

  std::vector<std::string> items;
  int deletes = 0;
  bool refuseDeletes = false;  // a control that ignores deletions
};

}  // namespace tolvane::testing
