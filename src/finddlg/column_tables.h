// The columns of the two Find dialogs' lists, in column order.
#pragma once

#include <span>

#include "finddlg/column_rule.h"

namespace tolvane {

// "Filename" ("Sub1", 0.33 of W) and "Path" ("Sub2", 0.67 of W).
std::span<const ColumnRule> FindFileColumnRules();

// "Type" ("Sub1", 50), "Namespace" ("Sub1_5", 0.25 of the rest), "Parent" ("Sub2", 0.25 of the
// rest), "Tag" ("Sub3", 0.5 of the rest), "Filename" ("Sub4", 100), "Line" ("Sub5", 400).
std::span<const ColumnRule> FindTagColumnRules();

}  // namespace tolvane
