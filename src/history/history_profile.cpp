#include "history/history_profile.h"

#include "history/history_stored_form.h"

namespace tolvane {

namespace {

// True unless the value is there and cannot be read; the list is then empty.
bool LoadHistory(Profile& profile, const LeadBytes& leadBytes, const char* key, HistoryList& list) {
  std::string stored;
  const ProfileRead read = profile.ReadString(kHistorySection, key, stored);
  list = read == ProfileRead::kRead ? DecodeHistory(stored, leadBytes) : HistoryList();
  return read != ProfileRead::kFailed;
}

void SaveHistory(Profile& profile, const char* key, const HistoryList& list, bool unread) {
  if (!unread) profile.WriteString(kHistorySection, key, EncodeHistory(list));
}

}  // namespace

void LoadAllHistories(Profile& profile, const LeadBytes& leadBytes, HistoryLists& lists) {
  lists.filenameUnread = !LoadHistory(profile, leadBytes, kFilenameHistoryKey, lists.filename);
  lists.tagParentUnread = !LoadHistory(profile, leadBytes, kTagParentHistoryKey, lists.tagParent);
  lists.tagUnread = !LoadHistory(profile, leadBytes, kTagHistoryKey, lists.tag);
}

void SaveAllHistories(Profile& profile, const HistoryLists& lists) {
  SaveHistory(profile, kFilenameHistoryKey, lists.filename, lists.filenameUnread);
  SaveHistory(profile, kTagParentHistoryKey, lists.tagParent, lists.tagParentUnread);
  SaveHistory(profile, kTagHistoryKey, lists.tag, lists.tagUnread);
}

}  // namespace tolvane
