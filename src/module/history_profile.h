// The three history lists in the application profile: section "Config", one string value per
// list in the stored form of history_stored_form.h.
#pragma once

#include <string>

#include "module/history_list.h"
#include "module/history_state.h"
#include "seams/profile.h"

namespace tolvane {

inline constexpr const char kHistorySection[] = "Config";
inline constexpr const char kFilenameHistoryKey[] = "FilenameEditList";
inline constexpr const char kTagParentHistoryKey[] = "TagParentEditList";
inline constexpr const char kTagHistoryKey[] = "TagEditList";

// A missing value reads as "" and gives an empty list.
void LoadHistory(Profile& profile, const std::string& key, HistoryList& list);
// The write's outcome is not examined: a failed write leaves the previous value.
void SaveHistory(Profile& profile, const std::string& key, const HistoryList& list);

// Both run over the three lists in this order: "FilenameEditList", "TagParentEditList",
// "TagEditList". Called at module creation and at module destruction.
void LoadAllHistories(Profile& profile, HistoryLists& lists);
void SaveAllHistories(Profile& profile, const HistoryLists& lists);

}  // namespace tolvane
