#include "finddlg/column_tables.h"

namespace tolvane {

namespace {

constexpr ColumnRule kFindFileColumns[] = {
    {"Sub1", "Filename", 0, ShareOfWidth(0.33), ShareOfWidth(0.33)},
    {"Sub2", "Path", 1, ShareOfWidth(0.67), ShareOfWidth(0.67)},
};

// Column 1's key is "Sub1_5": the column was added between "Sub1" and "Sub2" after both existed.
constexpr ColumnRule kFindTagColumns[] = {
    {"Sub1", "Type", 0, Fixed(50), Fixed(50)},
    {"Sub1_5", "Namespace", 1, ShareOfRest(0.25), ShareOfRest(0.25)},
    {"Sub2", "Parent", 2, ShareOfRest(0.25), ShareOfRest(0.25)},
    {"Sub3", "Tag", 3, ShareOfRest(0.5), ShareOfRest(0.5)},
    {"Sub4", "Filename", 4, Fixed(100), Fixed(100)},
    {"Sub5", "Line", 5, Fixed(400), Fixed(400)},
};

}  // namespace

std::span<const ColumnRule> FindFileColumnRules() {
  return kFindFileColumns;
}
std::span<const ColumnRule> FindTagColumnRules() {
  return kFindTagColumns;
}

}  // namespace tolvane
