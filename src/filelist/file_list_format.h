// The file-list file's fixed layout: a 6-byte header ("TVEF", version 1) that is stored as it
// stands, then a masked body: a 32-bit entry count and one record per entry (flags byte, 16-bit
// name length, name bytes). Every integer is little-endian; nothing is padded.
#pragma once

#include <cstddef>
#include <cstdint>

namespace tolvane::file_list_format {

inline constexpr char kMagic[4] = {'T', 'V', 'E', 'F'};
inline constexpr uint16_t kVersion = 1;
inline constexpr std::size_t kHeaderSize = 6;      // magic + version
inline constexpr std::size_t kCountSize = 4;       // entryCount, the first masked field
inline constexpr std::size_t kRecordHeadSize = 3;  // flags + nameLength
inline constexpr std::size_t kMaxNameLength = 0xFFFF;

// Suffix of the name an unreadable file is moved to, beside the file itself.
inline constexpr char kSetAsideSuffix[] = ".old";

}  // namespace tolvane::file_list_format
