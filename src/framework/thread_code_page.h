// The lead bytes of the thread's ANSI code page (CP_THREAD_ACP), the code page of every narrow
// text the module is handed and reads back: the ranges GetCPInfo gives for it, none for a
// single-byte code page or UTF-8.
#pragma once

#include "seams/code_page.h"

namespace tolvane {

LeadBytes ThreadLeadBytes();

}  // namespace tolvane
