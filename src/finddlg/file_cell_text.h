// The Find File list's cell texts: column 0 is the file name (title, then "." and the extension
// when there is one), every other column the path.
#pragma once

#include <string_view>

#include "finddlg/display_request.h"
#include "finddlg/display_text_ring.h"
#include "tolvane/host_objects.h"

namespace tolvane {

// Stores title, or title + "." + extension when the extension is not empty, in the ring's next
// slot and returns it.
const char* StoreFileName(DisplayTextRing& ring, std::string_view title,
                          std::string_view extension);

// The record's file name stored in the ring's next slot; a null text reads as empty.
const char* StoreRecordFileName(HostFileRecord& record, DisplayTextRing& ring);

// Answers one display request. keyArray and sourceWord are the host's (the key array object and
// the word holding the current HostFileSource); both are read afresh here, so a swap by the host
// shows at the next request. Row i is key i; a key goes to the source unexamined.
// The mask becomes kListItemText; the text (the file name, or the path) points into ring, never
// at the record's own text. A request that cannot be answered (negative row, no array, no
// source, no record) keeps the control's text pointer.
void AnswerFileDisplayRequest(DisplayRequest& request, const HostFileKeyArray* keyArray,
                              HostFileSource* const* sourceWord, DisplayTextRing& ring);

}  // namespace tolvane
