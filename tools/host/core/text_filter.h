// The host's filtering of the Find lists: case-insensitive substring matches.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

namespace tolvane::host {

struct CtagsTag;
struct WorkspaceFile;

// True when `needle` occurs in `haystack`, ASCII letters compared without case; an empty
// needle occurs everywhere.
bool ContainsIgnoringCase(std::string_view haystack, std::string_view needle);

// Keys (indexes into `files`) of the files whose name (title and extension) holds `filter`.
std::vector<uint32_t> FilterFiles(const std::vector<WorkspaceFile>& files, std::string_view filter);

// Indexes of the tags whose parent holds `parentFilter` and whose name holds `tagFilter`.
std::vector<uint32_t> FilterTags(const std::vector<CtagsTag>& tags, std::string_view parentFilter,
                                 std::string_view tagFilter);

}  // namespace tolvane::host
