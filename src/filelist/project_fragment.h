// The project fragment handed to the host: a <Files> element listing the entries with bit 0 set.
#pragma once

#include <string>
#include <string_view>

#include "tolvane/file_entry_list.h"

namespace tolvane {

// Appends `text` with &, <, > and " written as &amp; &lt; &gt; &quot;, so that a legal file
// name such as a&b.cpp cannot break the host's project parser. Other bytes pass unchanged.
void AppendXmlAttributeText(std::string& out, std::string_view text);

// "<Files>", one "\t<File RelativePath=\"NAME\"/>" line per entry with bit 0 set (list order),
// "</Files>"; every line ends with `lineEnd`.
std::string ProjectFragment(const FileEntryList& list, std::string_view lineEnd);

}  // namespace tolvane
