// The lead bytes of the double-byte code pages as Windows gives them (GetCPInfo), for the
// native tests of scans that read by characters: 932 (Japanese, Shift JIS) 81-9F and E0-FC;
// 936 (Simplified Chinese), 949 (Korean) and 950 (Traditional Chinese) 81-FE. Any other code
// page has none.
#pragma once

#include "seams/code_page.h"

namespace tolvane::testing {

inline LeadBytes LeadBytesOf(int codePage) {
  LeadBytes lead;
  if (codePage == 932) {
    lead.Add(0x81, 0x9F);
    lead.Add(0xE0, 0xFC);
  } else if (codePage == 936 || codePage == 949 || codePage == 950) {
    lead.Add(0x81, 0xFE);
  }
  return lead;
}

}  // namespace tolvane::testing
