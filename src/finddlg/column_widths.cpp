#include "finddlg/column_widths.h"

#include <algorithm>
#include <string>

#include "finddlg/layout_section.h"

namespace tolvane {

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
