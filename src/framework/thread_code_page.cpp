#include "framework/thread_code_page.h"

#include <windows.h>

namespace tolvane {

LeadBytes ThreadLeadBytes() {
  LeadBytes lead;
  CPINFO info{};
  // UTF-8's information lists no lead bytes either; a code page without information has none.
  if (!::GetCPInfo(CP_THREAD_ACP, &info) || info.MaxCharSize != 2) return lead;
  // Pairs of first and last byte, ended by a pair of zeros.
  for (int i = 0; i + 1 < MAX_LEADBYTES && info.LeadByte[i] != 0; i += 2) {
    lead.Add(info.LeadByte[i], info.LeadByte[i + 1]);
  }
  return lead;
}

}  // namespace tolvane
