// Encodes a FileEntryList as the bytes of a file-list file (header, then the masked body).
#pragma once

#include <cstdint>
#include <vector>

#include "tolvane/file_entry_list.h"

namespace tolvane {

// Fills `bytes` with the whole file, records in list order, flags with bits 0 and 1 only.
// Returns false, leaving `bytes` empty, when a name is longer than a record can hold
// (65,535 bytes): storing it cut short would lose it.
bool EncodeFileList(const FileEntryList& list, std::vector<uint8_t>& bytes);

}  // namespace tolvane
