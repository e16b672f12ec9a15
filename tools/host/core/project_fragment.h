// Reads the project fragment the module hands the host when it loads a workspace's file list.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace tolvane::host {

// The RelativePath of every <File .../> line of a "<Files>" fragment, in order, with the
// module's &amp; &lt; &gt; &quot; turned back into the characters they stand for.
std::vector<std::string> ReadFragmentFiles(std::string_view fragment);

}  // namespace tolvane::host
