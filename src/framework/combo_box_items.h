// The drop-down list of a CComboBoxEx as the history lists see it.
#pragma once

#include "framework/combo_box_ex.h"
#include "seams/combo_items.h"

namespace tolvane {

class ComboBoxItems : public ComboItems {
 public:
  explicit ComboBoxItems(CComboBoxEx& combo) : combo_(combo) {}

  int Count() override { return combo_.GetCount(); }
  std::string Text(int index) override { return combo_.GetLBText(index); }
  void Add(const std::string& text) override { combo_.AddString(text); }
  void Insert(int index, const std::string& text) override { combo_.InsertString(index, text); }
  void Delete(int index) override { combo_.DeleteString(index); }

 private:
  CComboBoxEx& combo_;
};

}  // namespace tolvane
