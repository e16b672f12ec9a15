#include "framework/window_table.h"

namespace tolvane {
namespace {

WindowTable* installed = nullptr;

}  // namespace

WindowTable::WindowTable() {
  installed = this;
}

WindowTable::~WindowTable() {
  installed = nullptr;  // the framework state owns the one instance
}

WindowTable& TheWindowTable() {
  return *installed;
}

WindowRecord* WindowTable::Find(HWND hwnd) {
  auto found = records_.find(hwnd);
  return found == records_.end() ? nullptr : &found->second;
}

WindowRecord* WindowTable::FindOrAdd(HWND hwnd) {
  try {
    return &records_[hwnd];
  } catch (...) {  // only an allocation can fail
    return nullptr;
  }
}

void WindowTable::DropIfUnused(HWND hwnd) {
  auto found = records_.find(hwnd);
  if (found != records_.end() && found->second.Unused()) records_.erase(found);
}

}  // namespace tolvane
