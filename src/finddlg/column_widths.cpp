#include "finddlg/column_widths.h"

#include <algorithm>
#include <cstdio>
#include <string>

namespace tolvane {

std::string LayoutSection(uint32_t dialogId) {
  char digits[16];
  // unsigned long is 32 bits on Windows and 64 natively; a 32-bit value prints the same in both.
  std::snprintf(digits, sizeof digits, "%08lx", static_cast<unsigned long>(dialogId));
  return std::string("WindowPositions\\ID=0x") + digits;
}

std::vector<int32_t> LoadColumnWidths(Profile& profile, uint32_t dialogId, int32_t availableWidth,
                                      std::span<const ColumnRule> rules) {
  const std::string section = LayoutSection(dialogId);
  std::vector<int32_t> widths;
  widths.reserve(rules.size());
  for (const ColumnRule& rule : rules) {
    const int32_t firstAsRead = widths.empty() ? 0 : widths.front();
    const int32_t fallback = rule.byDefault.Evaluate(availableWidth, firstAsRead);
    widths.push_back(profile.GetInt(section, rule.key, fallback));
  }
  for (std::size_t i = 0; i < widths.size(); ++i) {
    if (widths[i] > 0) continue;
    const int32_t firstFinal = i == 0 ? 0 : widths.front();
    widths[i] = rules[i].replacement.Evaluate(availableWidth, firstFinal);
  }
  return widths;
}

void SaveColumnWidths(Profile& profile, uint32_t dialogId, std::span<const ColumnRule> rules,
                      std::span<const int32_t> widths) {
  const std::string section = LayoutSection(dialogId);
  const std::size_t count = std::min(rules.size(), widths.size());
  for (std::size_t i = 0; i < count; ++i) profile.WriteInt(section, rules[i].key, widths[i]);
}

}  // namespace tolvane
