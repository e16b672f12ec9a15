#include "finddlg/column_rule.h"

#include <limits>

namespace tolvane {

namespace {

// Truncation toward zero; a product outside the 32-bit range (only reachable with hostile stored
// widths) saturates instead of being undefined. Never NaN: the rules' values are finite and so
// are their products with 32-bit widths.
int32_t TruncateToInt32(double width) {
  constexpr double kMin = std::numeric_limits<int32_t>::min();
  constexpr double kMax = std::numeric_limits<int32_t>::max();
  if (width <= kMin) return std::numeric_limits<int32_t>::min();
  if (width >= kMax) return std::numeric_limits<int32_t>::max();
  return static_cast<int32_t>(width);
}

}  // namespace

int32_t WidthRule::Evaluate(int32_t availableWidth, int32_t firstColumnWidth) const {
  if (kind == Kind::kFixed) return TruncateToInt32(value);
  // The rest is taken in double: exact for any two 32-bit values, never overflows.
  const double width = static_cast<double>(availableWidth);
  const double shared =
      kind == Kind::kShareOfWidth ? width : width - static_cast<double>(firstColumnWidth);
  return TruncateToInt32(shared * value);
}

}  // namespace tolvane
