// KeyRoutingControls that records every call in order, over a list of rows with selection state.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "seams/key_routing_controls.h"

namespace tolvane::testing {

class RecordingKeyControls : public KeyRoutingControls {
 public:
  bool IsCtrlDown() override {
    calls.push_back("IsCtrlDown");
    return ctrlDown;
  }
  bool IsDropDownShowing() override {
    calls.push_back("IsDropDownShowing");
    return dropDownShowing;
  }
  void ForwardKeyToList(std::uintptr_t key, std::intptr_t keyData) override {
    calls.push_back("ForwardKeyToList " + std::to_string(key) + " " + std::to_string(keyData));
  }
  void SendRefreshRequest() override { calls.push_back("SendRefreshRequest"); }
  int32_t FirstSelectedRow() override {
    calls.push_back("FirstSelectedRow");
    for (std::size_t i = 0; i < selected.size(); ++i)
      if (selected[i]) return static_cast<int32_t>(i);
    return -1;
  }
  int32_t RowCount() override {
    calls.push_back("RowCount");
    return static_cast<int32_t>(selected.size());
  }
  void SetRowSelectedFocused(int32_t row, bool on) override {
    calls.push_back("SetRowSelectedFocused " + std::to_string(row) + (on ? " on" : " off"));
    selected.at(static_cast<std::size_t>(row)) = on;
    if (on)
      focused = row;
    else if (focused == row)
      focused = -1;
  }
  void EnsureRowFullyVisible(int32_t row) override {
    calls.push_back("EnsureRowFullyVisible " + std::to_string(row));
  }

  bool ctrlDown = false;
  bool dropDownShowing = false;
  std::vector<bool> selected;  // one entry per list row
  int32_t focused = -1;
  std::vector<std::string> calls;
};

}  // namespace tolvane::testing
