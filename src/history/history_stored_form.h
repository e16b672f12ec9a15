// How a history list is kept as one profile string: every item followed by "|", items not
// escaped. {a, b} is "a|b|"; an empty list is "". An item containing "|" therefore comes back
// as two items: the stored form has always been read that way and stays so.
#pragma once

#include <string>
#include <string_view>

#include "history/history_list.h"

namespace tolvane {

std::string EncodeHistory(const HistoryList& list);

// Every "|" ends one item, even an empty one ("a||b|" is a, "", b); text after the last "|"
// becomes an item only when it is not empty ("a|b" is a, b).
HistoryList DecodeHistory(std::string_view stored);

}  // namespace tolvane
