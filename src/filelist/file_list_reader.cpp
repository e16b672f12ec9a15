#include "filelist/file_list_reader.h"

#include <algorithm>
#include <string_view>

#include "filelist/body_mask.h"
#include "filelist/file_entry_ops.h"
#include "filelist/file_list_format.h"

namespace tolvane {

namespace {

namespace format = file_list_format;

FileListDecoding CheckHeader(std::span<const uint8_t> file) {
  FileListDecoding result;
  const std::size_t magicBytes = std::min(file.size(), sizeof format::kMagic);
  const auto* magic = reinterpret_cast<const uint8_t*>(format::kMagic);
  if (!std::equal(file.begin(), file.begin() + std::ptrdiff_t(magicBytes), magic)) {
    result.problem = FileListProblem::kBadMagic;
  } else if (file.size() < format::kHeaderSize) {
    result.problem = FileListProblem::kTruncatedHeader;
    result.offset = file.size();
  } else {
    result.version = uint16_t(file[4] | (file[5] << 8));
    if (result.version != format::kVersion) {
      result.problem = FileListProblem::kUnsupportedVersion;
      result.offset = 4;
    }
  }
  return result;
}

void ReadRecords(std::span<const uint8_t> file, FileListDecoding& result, FileEntryList& list) {
  const std::size_t size = file.size();
  const uint8_t* bytes = file.data();
  std::size_t at = format::kHeaderSize + format::kCountSize;
  for (uint32_t k = 0; k < result.entryCount; ++k) {
    if (size - at < format::kRecordHeadSize) {
      result.problem = FileListProblem::kTruncatedEntry;
    } else {
      const std::size_t length = std::size_t(bytes[at + 1]) | (std::size_t(bytes[at + 2]) << 8);
      if (size - at - format::kRecordHeadSize < length) {
        result.problem = FileListProblem::kTruncatedEntry;
      } else {
        const char* name = reinterpret_cast<const char*>(bytes + at + format::kRecordHeadSize);
        AppendEntry(list, std::string_view(name, length), bytes[at]);
        at += format::kRecordHeadSize + length;
        continue;
      }
    }
    result.entryIndex = k;
    result.offset = at;
    return;
  }
}

}  // namespace

FileListDecoding DecodeFileList(std::span<uint8_t> file, FileEntryList& list) {
  list.Clear();
  FileListDecoding result = CheckHeader(file);
  if (!result.ok()) return result;
  ApplyBodyMask(file.data() + format::kHeaderSize, file.size() - format::kHeaderSize);
  if (file.size() < format::kHeaderSize + format::kCountSize) {
    result.problem = FileListProblem::kTruncatedCount;
    result.offset = format::kHeaderSize;
    return result;
  }
  const uint8_t* count = file.data() + format::kHeaderSize;
  result.entryCount = uint32_t(count[0]) | uint32_t(count[1]) << 8 | uint32_t(count[2]) << 16 |
                      uint32_t(count[3]) << 24;
  try {
    ReadRecords(file, result, list);
  } catch (...) {
    list.Clear();
    throw;
  }
  if (!result.ok()) list.Clear();
  return result;
}

}  // namespace tolvane
