// Decodes the bytes of a file-list file into a FileEntryList, naming the first problem found.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

#include "tolvane/file_entry_list.h"

namespace tolvane {

enum class FileListProblem {
  kNone,
  kBadMagic,            // the first four bytes are not "TVEF" (case matters)
  kUnsupportedVersion,  // the version field is not 1
  kTruncatedHeader,     // fewer than the 6 header bytes
  kTruncatedCount,      // the body ends before its 4-byte entry count
  kTruncatedEntry,      // a record runs past the end of the data
};

struct FileListDecoding {
  FileListProblem problem = FileListProblem::kNone;
  uint16_t version = 0;
  uint32_t entryCount = 0;  // as the file states it
  uint32_t entryIndex = 0;  // kTruncatedEntry: the record (from 0) that runs past the end
  std::size_t offset = 0;   // file offset of the field or record at fault
  bool ok() const { return problem == FileListProblem::kNone; }
};

// Replaces the contents of `list` with the file's entries, in file order. `file` is the whole
// file; its body is unmasked in place. Bytes after the last record are ignored. Never reads past
// `file`. On any problem, and when appending throws, `list` is left empty: a partial list must
// never be saved over the only full copy.
FileListDecoding DecodeFileList(std::span<uint8_t> file, FileEntryList& list);

}  // namespace tolvane
