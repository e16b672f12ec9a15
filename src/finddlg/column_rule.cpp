#include "finddlg/column_rule.h"

#include <cmath>
#include <limits>

namespace tolvane {

namespace {

// Truncation toward zero; a product outside the 32-bit range (only reachable with hostile stored
// widths) saturates instead of being undefined.
int32_t TruncateToInt32(double width) {
  constexpr double kMin = std::numeric_limits<int32_t>::min();
  constexpr double kMax = std::numeric_limits<int32_t>::max();
  if (std::isnan(width)) return 0;
  if (width <= kMin) return std::numeric_limits<int32_t>::min();
  if (width >= kMax) return std::numeric_limits<int32_t>::max();
  return static_cast<int32_t>(width);
}

}  // namespace

int32_t WidthRule::Evaluate(int32_t availableWidth, int32_t firstColumnWidth) const {
  switch (kind) {
    case Kind::kFixed:
      return TruncateToInt32(value);
    case Kind::kShareOfWidth:
      return TruncateToInt32(static_cast<double>(availableWidth) * value);
    case Kind::kShareOfRest:
      break;
  }
  // A share of the rest, whose return closes the function so that no unreachable one follows
  // the switch. The difference is taken in double: exact for any two 32-bit values, never
  // overflows.
  return TruncateToInt32(
      (static_cast<double>(availableWidth) - static_cast<double>(firstColumnWidth)) * value);
}

}  // namespace tolvane
