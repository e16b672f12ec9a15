// How a history list is kept as one profile string: every item followed by "|", items not
// escaped. {a, b} is "a|b|"; an empty list is "". An item containing "|" therefore comes back
// as two items: the stored form has always been read that way and stays so. The string is in the
// thread's code page and is read by its characters: in a double-byte code page a "|" that is the
// second byte of a character (as in "\x83\x7C", katakana "po" in 932) is part of its item.
#pragma once

#include <string>
#include <string_view>

#include "history/history_list.h"
#include "seams/code_page.h"

namespace tolvane {

std::string EncodeHistory(const HistoryList& list);

// Every "|" ends one item, even an empty one ("a||b|" is a, "", b); text after the last "|"
// becomes an item only when it is not empty ("a|b" is a, b). A "|" counts only where it is a
// character of its own in the code page of `leadBytes`.
HistoryList DecodeHistory(std::string_view stored, const LeadBytes& leadBytes);

}  // namespace tolvane
