// One column of a Find dialog's list: its profile key, heading, and how its width is found when
// nothing usable is stored.
#pragma once

#include <cstdint>

namespace tolvane {

// A width: a fixed number, a share of the available width W, or a share of what W leaves after
// the first column (W - w0). Shares are computed in double precision and truncated toward zero:
// W = 101 gives 33 for 0.33 and 67 for 0.67; W = -5 gives -1 for 0.33.
struct WidthRule {
  enum class Kind { kFixed, kShareOfWidth, kShareOfRest };
  Kind kind;
  double value;  // the fixed width, or the share f

  int32_t Evaluate(int32_t availableWidth, int32_t firstColumnWidth) const;
};

inline constexpr WidthRule Fixed(int32_t width) {
  return {WidthRule::Kind::kFixed, static_cast<double>(width)};
}
inline constexpr WidthRule ShareOfWidth(double share) {
  return {WidthRule::Kind::kShareOfWidth, share};
}
inline constexpr WidthRule ShareOfRest(double share) {
  return {WidthRule::Kind::kShareOfRest, share};
}

struct ColumnRule {
  const char* key;        // profile integer value name, e.g. "Sub1"
  const char* heading;    // column heading, e.g. "Filename"
  int index;              // column index in the list control
  WidthRule byDefault;    // when the key is absent
  WidthRule replacement;  // when the stored value is not greater than 0
};

}  // namespace tolvane
