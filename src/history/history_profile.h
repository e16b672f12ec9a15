// The three history lists in the application profile: section "Config", one string value per
// list in the stored form of history_stored_form.h.
#pragma once

#include <string>

#include "history/history_list.h"
#include "seams/code_page.h"
#include "seams/profile.h"

namespace tolvane {

inline constexpr const char kHistorySection[] = "Config";
inline constexpr const char kFilenameHistoryKey[] = "FilenameEditList";
inline constexpr const char kTagParentHistoryKey[] = "TagParentEditList";
inline constexpr const char kTagHistoryKey[] = "TagEditList";

// The module's three history lists: empty at load, read at creation, replaced by each dialog's
// close, saved at destruction.
struct HistoryLists {
  HistoryList filename;   // "FilenameEditList", Find File combo 1021
  HistoryList tagParent;  // "TagParentEditList", Find Tag parent combo 1051
  HistoryList tag;        // "TagEditList", Find Tag tag combo 1052
  // Lists whose stored value was there but could not be read: they load empty and are never
  // saved, since that would write over the value.
  bool filenameUnread = false;
  bool tagParentUnread = false;
  bool tagUnread = false;
};

// Both run over the three lists in this order: "FilenameEditList", "TagParentEditList",
// "TagEditList". Called at module creation and at module destruction. A missing value reads as
// "" and gives an empty list; the write's outcome is not examined (a failed write leaves the
// previous value). The stored values are read in the code page of `leadBytes`.
void LoadAllHistories(Profile& profile, const LeadBytes& leadBytes, HistoryLists& lists);
void SaveAllHistories(Profile& profile, const HistoryLists& lists);

}  // namespace tolvane
