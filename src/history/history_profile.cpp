#include "history/history_profile.h"

#include "history/history_stored_form.h"

namespace tolvane {

void LoadHistory(Profile& profile, const std::string& key, HistoryList& list) {
  const std::string stored = profile.GetString(kHistorySection, key, "");
  list = DecodeHistory(stored);
}

void SaveHistory(Profile& profile, const std::string& key, const HistoryList& list) {
  profile.WriteString(kHistorySection, key, EncodeHistory(list));
}

void LoadAllHistories(Profile& profile, HistoryLists& lists) {
  LoadHistory(profile, kFilenameHistoryKey, lists.filename);
  LoadHistory(profile, kTagParentHistoryKey, lists.tagParent);
  LoadHistory(profile, kTagHistoryKey, lists.tag);
}

void SaveAllHistories(Profile& profile, const HistoryLists& lists) {
  SaveHistory(profile, kFilenameHistoryKey, lists.filename);
  SaveHistory(profile, kTagParentHistoryKey, lists.tagParent);
  SaveHistory(profile, kTagHistoryKey, lists.tag);
}

}  // namespace tolvane
