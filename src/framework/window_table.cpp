#include "framework/window_table.h"

#include <new>

namespace tolvane {
namespace {

WindowTable* installed = nullptr;

}  // namespace

WindowTable::WindowTable() {
  installed = this;
}

WindowTable::~WindowTable() {
  if (installed == this) installed = nullptr;
}

WindowTable& TheWindowTable() {
  return *installed;
}

WindowRecord* WindowTable::Find(HWND hwnd) {
  if (hwnd == nullptr) return nullptr;
  auto found = records_.find(hwnd);
  return found == records_.end() ? nullptr : &found->second;
}

WindowRecord* WindowTable::FindOrAdd(HWND hwnd) {
  if (hwnd == nullptr) return nullptr;
  try {
    return &records_[hwnd];
  } catch (const std::bad_alloc&) {
    return nullptr;
  }
}

void WindowTable::DropIfUnused(HWND hwnd) {
  auto found = records_.find(hwnd);
  if (found != records_.end() && found->second.Unused()) records_.erase(found);
}

}  // namespace tolvane
