// Whole-file reads and writes over the FileSystem seam, coping with short reads and writes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "filelist/file_system.h"

namespace tolvane {

// Reads from the current position to the end of the file. False on a read error.
bool ReadToEnd(ReadableFile& file, std::vector<uint8_t>& bytes);

// Writes every byte, retrying short writes. False when a write fails or makes no progress.
bool WriteAll(WritableFile& file, std::span<const uint8_t> bytes);

// Replaces the file at `path` with `bytes` so that a crash or a failure leaves either the old file
// or the new one, never a torn one: the bytes go to a file beside it, which one rename puts in
// place. False (and the old file untouched) when anything fails.
bool ReplaceFileContents(FileSystem& fs, const std::string& path, std::span<const uint8_t> bytes);

// Name of the file beside `path` that ReplaceFileContents writes first.
std::string ReplacementPath(const std::string& path);

}  // namespace tolvane
