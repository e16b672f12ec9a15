#include "framework/window_table.h"

#include <new>

namespace tolvane {

WindowRecord* WindowTable::Find(HWND hwnd) const {
  if (records_ == nullptr || hwnd == nullptr) return nullptr;
  auto found = records_->find(hwnd);
  return found == records_->end() ? nullptr : &found->second;
}

WindowRecord* WindowTable::FindOrAdd(HWND hwnd) {
  if (hwnd == nullptr) return nullptr;
  try {
    if (records_ == nullptr) records_ = new std::unordered_map<HWND, WindowRecord>;
    return &(*records_)[hwnd];
  } catch (const std::bad_alloc&) {
    // Reached from window procedures, where no exception may pass: the caller fails instead.
    if (records_ != nullptr && records_->empty()) {
      delete records_;
      records_ = nullptr;
    }
    return nullptr;
  }
}

void WindowTable::DropIfUnused(HWND hwnd) {
  WindowRecord* record = Find(hwnd);
  if (record == nullptr || !record->Unused()) return;
  records_->erase(hwnd);
  if (records_->empty()) {
    delete records_;
    records_ = nullptr;
  }
}

}  // namespace tolvane
