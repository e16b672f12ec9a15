// The Find Tag list's cell texts. Columns: 0 "Type" (kind label), 1 "Namespace", 2 "Parent",
// 3 "Tag" (the record's own texts, handed out without copying), 4 "Filename" (composed),
// 5 "Line" (the search pattern cleaned up for display).
#pragma once

#include <cstdint>
#include <string_view>

#include "finddlg/display_request.h"
#include "finddlg/display_text_ring.h"
#include "tolvane/host_objects.h"

namespace tolvane {

// "Class", "Decl", "Define", "Enum", "EnumVal", "File", "Function", "MemVar", "NSpace",
// "Struct", "Typedef", "Union", "Variable" for kinds 0 to 12; null for any other kind.
const char* TagKindLabel(int32_t kind);

// The search pattern as the "Line" column shows it: the whole leading run of "^" and the whole
// trailing run of "$" removed, each tab turned into one space, nothing else touched; stored in the
// ring's next slot and returned.
const char* StoreLineText(DisplayTextRing& ring, std::string_view pattern);

// Answers one display request from element row of the host's tag array, read afresh here. The
// mask becomes kListItemText. The text pointer is left as the control supplied it for a kind
// outside 0..12, a column beyond 5, and a request that cannot be answered (negative row, no
// array, no record, and for column 4 no file record). A null text from the record shows empty.
void AnswerTagDisplayRequest(DisplayRequest& request, const HostTagArray* tagArray,
                             DisplayTextRing& ring);

}  // namespace tolvane
