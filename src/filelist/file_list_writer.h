// Encodes a FileEntryList as the bytes of a file-list file (header, then the masked body).
#pragma once

#include <cstdint>
#include <vector>

#include "tolvane/file_entry_list.h"

namespace tolvane {

// Fills `bytes` with the whole file, records in list order, flags with bits 0 and 1 only. A name
// longer than a record can hold (65,535 bytes; no file name is that long) is stored as its first
// 65,535 bytes: refusing it would keep every later save of the list from storing anything.
void EncodeFileList(const FileEntryList& list, std::vector<uint8_t>& bytes);

}  // namespace tolvane
