#include "filelist/file_list_writer.h"

#include <cstring>

#include "filelist/body_mask.h"
#include "filelist/file_entry_ops.h"
#include "filelist/file_list_format.h"

namespace tolvane {

namespace {

uint8_t* PutLittleEndian16(uint8_t* out, std::size_t value) {
  out[0] = uint8_t(value & 0xFF);
  out[1] = uint8_t((value >> 8) & 0xFF);
  return out + 2;
}

uint8_t* PutLittleEndian32(uint8_t* out, uint32_t value) {
  for (int i = 0; i < 4; ++i) out[i] = uint8_t((value >> (8 * i)) & 0xFF);
  return out + 4;
}

namespace format = file_list_format;

// The bytes of the entry's name that its record holds.
std::string_view StoredName(const FileEntry& entry) {
  return NameOf(entry).substr(0, format::kMaxNameLength);
}

}  // namespace

void EncodeFileList(const FileEntryList& list, std::vector<uint8_t>& bytes) {
  bytes.clear();
  std::size_t size = format::kHeaderSize + format::kCountSize;
  uint32_t records = 0;
  for (const FileEntry& entry : list) {
    size += format::kRecordHeadSize + StoredName(entry).size();
    ++records;
  }
  bytes.resize(size);
  uint8_t* out = bytes.data();
  std::memcpy(out, format::kMagic, sizeof format::kMagic);
  out = PutLittleEndian16(out + sizeof format::kMagic, format::kVersion);
  // The count is the number of records written, so the file agrees with itself even if a
  // host's list header were off.
  out = PutLittleEndian32(out, records);
  for (const FileEntry& entry : list) {
    *out++ = uint8_t(entry.flags & kFileMeaningfulBits);
    const std::string_view name = StoredName(entry);
    out = PutLittleEndian16(out, name.size());
    if (!name.empty()) std::memcpy(out, name.data(), name.size());
    out += name.size();
  }
  ApplyBodyMask(bytes.data() + format::kHeaderSize, bytes.size() - format::kHeaderSize);
}

}  // namespace tolvane
