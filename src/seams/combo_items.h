// The items of a combo box's drop-down list, as the history lists see them.
#pragma once

#include <string>

namespace tolvane {

class ComboItems {
 public:
  virtual ~ComboItems() = default;
  virtual int Count() = 0;
  virtual std::string Text(int index) = 0;
  virtual void Add(const std::string& text) = 0;  // at the end
  virtual void Insert(int index, const std::string& text) = 0;
  virtual void Delete(int index) = 0;
};

}  // namespace tolvane
