// The file-list file's bytes: encoding, decoding, and every way a file can be unreadable.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "filelist/file_entry_ops.h"
#include "filelist/file_list_reader.h"
#include "filelist/file_list_writer.h"
#include "support/file_entry_list_checks.h"

namespace tolvane {
namespace {

using Bytes = std::vector<uint8_t>;
using EntryList = std::vector<std::pair<std::string, uint8_t>>;
using testing::Entries;

Bytes Encode(const EntryList& entries) {
  FileEntryList list;
  for (const auto& [name, flags] : entries) AppendEntry(list, name, flags);
  Bytes bytes;
  EncodeFileList(list, bytes);
  return bytes;
}

// Decodes a copy, the way a loader holds exactly the bytes of the file and no more.
FileListDecoding Decode(Bytes bytes, FileEntryList& list) {
  return DecodeFileList(bytes, list);
}

TEST(FileListEncoding, OneEntryAbcWithFlagOne) {
  const Bytes expected = {'T',  'V',  'E',  'F',  0x01, 0x00, 0x81, 0x40,
                          0x20, 0x10, 0x09, 0x07, 0x02, 0x60, 0xE2, 0x23};
  EXPECT_EQ(Encode({{"abc", 1}}), expected);
}

TEST(FileListEncoding, EmptyListIsTenBytes) {
  EXPECT_EQ(Encode({}), (Bytes{'T', 'V', 'E', 'F', 0x01, 0x00, 0x80, 0x40, 0x20, 0x10}));
}

TEST(FileListEncoding, TheMaskRunsOnAcrossRecordsWithPeriodEight) {
  // Offsets 14 and 15 are body positions 8 and 9: masks 0x80 and 0x40 again, though they
  // fall in the middle of the second record.
  const Bytes bytes = Encode({{"", 0}, {"", 3}, {"Z", 0}});
  ASSERT_EQ(bytes.size(), 10u + 3 + 3 + 4);
  EXPECT_EQ(bytes[10], 0x00 ^ 0x08);  // first record: flags
  EXPECT_EQ(bytes[13], 0x03 ^ 0x01);  // second record: flags
  EXPECT_EQ(bytes[14], 0x00 ^ 0x80);  // its length, low byte
  EXPECT_EQ(bytes[15], 0x00 ^ 0x40);  // its length, high byte
  EXPECT_EQ(bytes[19], 'Z' ^ 0x04);
}

TEST(FileListEncoding, StoresOnlyBitsZeroAndOneAndLittleEndianLengths) {
  Bytes bytes = Encode({{std::string(0x0102, 'n'), 0xFE}});
  FileEntryList unused;
  ASSERT_TRUE(Decode(bytes, unused).ok());
  // Unmask by hand: flags at body 4, length at body 5 and 6.
  EXPECT_EQ(bytes[10] ^ 0x08, 0x02);
  EXPECT_EQ(bytes[11] ^ 0x04, 0x02);
  EXPECT_EQ(bytes[12] ^ 0x02, 0x01);
}

// Refusing it would keep every later save of the list from storing anything.
TEST(FileListEncoding, StoresANameLongerThanARecordCanHoldAsItsLongestPrefix) {
  FileEntryList list;
  AppendEntry(list, std::string(65536, 'x') + "tail", 1);
  AppendEntry(list, "after", 2);
  Bytes bytes;
  EncodeFileList(list, bytes);
  FileEntryList read;
  ASSERT_TRUE(Decode(bytes, read).ok());
  EXPECT_EQ(Entries(read), (EntryList{{std::string(65535, 'x'), 1}, {"after", 2}}));
}

TEST(FileListRoundTrip, KeepsNamesOrderAndBitsZeroAndOne) {
  const std::string longest(65535, 'L');
  const std::string binary("\x00\x7f\xff\r\n\t\\\"&", 9);
  FileEntryList list;
  const Bytes bytes = Encode({{"a.cpp", 0xFF}, {"", 0}, {longest, 2}, {binary, 1}, {"é", 0x04}});
  ASSERT_TRUE(Decode(bytes, list).ok());
  EXPECT_EQ(Entries(list), (EntryList{{"a.cpp", 3}, {"", 0}, {longest, 2}, {binary, 1}, {"é", 0}}));
}

TEST(FileListRoundTrip, ReadingIgnoresBitsTwoToSevenAndTrailingBytes) {
  Bytes bytes = Encode({{"k", 1}});
  bytes[10] ^= 0xF0;  // high bits set in the stored flags byte
  bytes.insert(bytes.end(), {0xAA, 0xBB, 0xCC});
  FileEntryList list;
  const FileListDecoding result = Decode(bytes, list);
  EXPECT_TRUE(result.ok());
  EXPECT_EQ(Entries(list), (EntryList{{"k", 1}}));
}

TEST(FileListDecoding, NamesEachProblemWithItsPlace) {
  FileEntryList list;
  Bytes lower = Encode({{"a", 1}});
  lower[0] = 't';
  lower[1] = 'v';
  lower[2] = 'e';
  lower[3] = 'f';
  EXPECT_EQ(Decode(lower, list).problem, FileListProblem::kBadMagic);
  EXPECT_EQ(Decode(Bytes{'X'}, list).problem, FileListProblem::kBadMagic);

  Bytes version2 = Encode({{"a", 1}});
  version2[4] = 2;
  FileListDecoding result = Decode(version2, list);
  EXPECT_EQ(result.problem, FileListProblem::kUnsupportedVersion);
  EXPECT_EQ(result.version, 2);

  EXPECT_EQ(Decode(Bytes{}, list).problem, FileListProblem::kTruncatedHeader);
  EXPECT_EQ(Decode(Bytes{'T', 'V', 'E', 'F', 1}, list).problem, FileListProblem::kTruncatedHeader);
  EXPECT_EQ(Decode(Bytes{'T', 'V', 'E', 'F', 1, 0, 0x80}, list).problem,
            FileListProblem::kTruncatedCount);

  Bytes cut = Encode({{"first", 1}, {"second", 2}});
  cut.pop_back();
  result = Decode(cut, list);
  EXPECT_EQ(result.problem, FileListProblem::kTruncatedEntry);
  EXPECT_EQ(result.entryCount, 2u);
  EXPECT_EQ(result.entryIndex, 1u);
  EXPECT_EQ(result.offset, 10u + 3 + 5);
}

TEST(FileListDecoding, EveryShorterPrefixIsUnreadableAndLeavesTheListEmpty) {
  const Bytes whole = Encode({{"one", 1}, {"", 0}, {"three", 3}});
  for (std::size_t size = 0; size < whole.size(); ++size) {
    FileEntryList list;
    AppendEntry(list, "stale", 1);
    const FileListDecoding result = Decode(Bytes(whole.begin(), whole.begin() + long(size)), list);
    EXPECT_FALSE(result.ok()) << "size " << size;
    EXPECT_EQ(list.count, 0u) << "size " << size;
    EXPECT_EQ(list.blocks, nullptr) << "size " << size;
  }
}

TEST(FileListDecoding, AHugeCountOverAShortBodyIsTruncatedNotAnAllocation) {
  Bytes bytes = Encode({{"only", 1}});
  // Count 0xFFFFFFFF, masked.
  bytes[6] = 0xFF ^ 0x80;
  bytes[7] = 0xFF ^ 0x40;
  bytes[8] = 0xFF ^ 0x20;
  bytes[9] = 0xFF ^ 0x10;
  FileEntryList list;
  const FileListDecoding result = Decode(bytes, list);
  EXPECT_EQ(result.problem, FileListProblem::kTruncatedEntry);
  EXPECT_EQ(result.entryIndex, 1u);
  EXPECT_EQ(list.count, 0u);
}

}  // namespace
}  // namespace tolvane
