// The module's file list: copies to and from a host's lists, and saving and loading the
// workspace's file-list file on a real file system. What each failing file operation leaves is
// file_fault_injection_test's; the export is project_export_test's.
#include "filelist/file_list_state.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "filelist/file_entry_ops.h"
#include "filelist/file_list_writer.h"
#include "filelist/file_transfer.h"
#include "filelist/set_aside.h"
#include "support/fake_workspace.h"
#include "support/faulty_file_system.h"
#include "support/file_entry_list_checks.h"
#include "support/memory_file_system.h"
#include "support/temp_directory.h"

namespace tolvane {
namespace {

using testing::FakeWorkspace;
using testing::FaultyFileSystem;
using testing::FileExists;
using testing::FileFault;
using testing::ReadBytes;
using testing::WriteBytes;
using Bytes = std::vector<uint8_t>;
using testing::Entries;
using testing::EntryList;

using testing::Encoded;
using testing::Fill;

class FileListFile : public ::testing::Test {
 protected:
  testing::TempDirectory dir;
  std::string path = dir.File("work.tvef");
  std::string old = path + ".old";
  FakeWorkspace workspace{path};
  FaultyFileSystem fs{NativeFileSystem()};
  FileListState state{fs};
  FileEntryList list;  // what a save stores; set by Fill, read back by Loaded

  void SetUp() override { state.SetWorkspace(&workspace); }
  bool Load(bool exportToHost = false) {
    state.CopyFrom(&list);  // a load replaces whatever the list held
    return state.Load(exportToHost);
  }
  bool Save() {
    state.CopyFrom(&list);
    return state.Save();
  }
  EntryList Loaded() const { return Entries(state.List()); }
};

TEST_F(FileListFile, SaveWritesTheExactBytesAndAsksForThePathOnce) {
  Fill(list, {{"abc", 1}});
  ASSERT_TRUE(Save());
  EXPECT_EQ(ReadBytes(path), (Bytes{'T', 'V', 'E', 'F', 0x01, 0x00, 0x81, 0x40, 0x20, 0x10, 0x09,
                                    0x07, 0x02, 0x60, 0xE2, 0x23}));
  EXPECT_EQ(workspace.calls, (testing::CallLog{"workspace.6"}));
  EXPECT_FALSE(FileExists(ReplacementPath(path)));
}

TEST_F(FileListFile, SaveThenLoadRestoresTheList) {
  Fill(list, {{"src\\a.cpp", 0xFF}, {"", 2}, {"b & <c>.h", 1}, {std::string(65535, 'w'), 0}});
  const EntryList expected = {
      {"src\\a.cpp", 3}, {"", 2}, {"b & <c>.h", 1}, {std::string(65535, 'w'), 0}};
  ASSERT_TRUE(Save());
  list.Clear();
  EXPECT_TRUE(Load());
  EXPECT_EQ(Loaded(), expected);
}

TEST_F(FileListFile, EmptyListSavesTenBytesAndLoadsEmpty) {
  ASSERT_TRUE(Save());
  EXPECT_EQ(ReadBytes(path).size(), 10u);
  Fill(list, {{"stale", 1}});
  EXPECT_TRUE(Load(true));
  EXPECT_EQ(state.List().count, 0u);
  EXPECT_EQ(workspace.calls, (testing::CallLog{"workspace.6", "workspace.6"}));  // no export
}

TEST_F(FileListFile, NoFileLoadsEmptyAndRunsNoExport) {
  Fill(list, {{"stale", 1}});
  EXPECT_TRUE(Load(true));
  EXPECT_EQ(state.List().count, 0u);
  EXPECT_EQ(workspace.calls, (testing::CallLog{"workspace.6"}));
  EXPECT_FALSE(FileExists(path + ".vcproj"));
}

TEST_F(FileListFile, UnreadableFilesAreSetAsideUnderFreeNamesOnly) {
  Bytes lowerMagic = Encoded({{"a", 1}});
  lowerMagic[0] = 't';
  Bytes version2 = Encoded({{"a", 1}});
  version2[4] = 2;
  Bytes truncated = Encoded({{"abc", 1}});
  truncated.pop_back();
  const std::vector<Bytes> unreadable = {lowerMagic, version2, truncated, Bytes{'T', 'V', 'E'},
                                         Bytes{}};
  std::filesystem::create_directory(old);  // ".old" taken by something that takes no file
  for (std::size_t round = 0; round < unreadable.size(); ++round) {
    WriteBytes(path, unreadable[round]);
    Fill(list, {{"stale", 1}});
    EXPECT_FALSE(Load(true));
    EXPECT_EQ(state.List().count, 0u);
    EXPECT_FALSE(FileExists(path));
    // Once it is out of the way, the next load finds no file.
    EXPECT_TRUE(Load());
  }
  for (std::size_t round = 0; round < unreadable.size(); ++round) {
    EXPECT_EQ(ReadBytes(SetAsideName(path, int(round) + 1)), unreadable[round]) << round;
  }
  EXPECT_EQ(workspace.calls.size(), 2 * unreadable.size());  // only the path asked; no export
}

// A list file that a load could not open (another program holds it) is still the user's list: a
// save sets it aside before it writes, and fails while it cannot. Set aside and then not
// replaced (the disk is full), it goes back: set aside it would wait while a load finds no file
// and reports an empty list that the host saves over it. A second set-aside never replaces the
// first.
TEST_F(FileListFile, AFileALoadCouldNotOpenIsSetAsideBeforeASaveWrites) {
  const Bytes users[] = {Encoded({{"users", 1}}), Encoded({{"later", 2}})};
  const FileFault firstSave[] = {FileFault::kRename, FileFault::kWrite};
  for (int round = 0; round < 2; ++round) {
    SCOPED_TRACE(round);
    WriteBytes(path, users[round]);
    fs.Fail(FileFault::kOpenForReading);
    EXPECT_FALSE(Load());
    fs.Fail(firstSave[round]);
    EXPECT_FALSE(Save());
    EXPECT_EQ(ReadBytes(path), users[round]);

    EXPECT_TRUE(Save());
    EXPECT_EQ(ReadBytes(SetAsideName(path, round)), users[round]);
    EXPECT_EQ(ReadBytes(path), Encoded({}));
    EXPECT_TRUE(Save());  // set aside once: the next save writes in place
    EXPECT_FALSE(FileExists(SetAsideName(path, round + 1)));
  }
  EXPECT_EQ(ReadBytes(old), users[0]);
}

// What else may follow a load that could not open the list: the user removes the file (nothing
// to set aside), the host moves to another path (the mark stays with the unread file, which the
// next save to its path sets aside), or the set-aside list cannot go back when the write fails (it
// stays set aside, where the user finds it).
TEST_F(FileListFile, TheUnreadMarkKeepsOnlyThatFile) {
  const Bytes users = Encoded({{"users", 1}}), empty = Encoded({});
  const std::string other = dir.File("other.tvef");
  struct Row {
    const char* what;
    bool removed;
    const std::string* savedTo;
    bool failWriteAndPutBack;
    bool saves;
    const Bytes* atPath;  // after that save; null when nothing is there
  };
  const Row rows[] = {
      {"the file removed", true, &path, false, true, &empty},
      {"another path", false, &other, false, true, &users},
      {"written nowhere, not put back", false, &path, true, false, nullptr},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.what);
    for (const std::string& name : {path, other, SetAsideName(path, 0)})
      std::filesystem::remove(name);
    WriteBytes(path, users);
    fs.Fail(FileFault::kOpenForReading);
    EXPECT_FALSE(Load());
    if (row.removed) std::filesystem::remove(path);
    FakeWorkspace moved(*row.savedTo);
    state.SetWorkspace(&moved);
    if (row.failWriteAndPutBack) {
      fs.Fail(FileFault::kWrite);
      fs.Fail(FileFault::kRename, 2);  // the first rename set the list aside
    }
    EXPECT_EQ(Save(), row.saves);
    EXPECT_EQ(FileExists(path), row.atPath != nullptr);
    EXPECT_TRUE(row.atPath == nullptr || ReadBytes(path) == *row.atPath);
    EXPECT_TRUE(!row.saves || ReadBytes(*row.savedTo) == empty);
    state.SetWorkspace(&workspace);
    EXPECT_TRUE(Save());
    EXPECT_EQ(ReadBytes(path), empty);
    const bool keptAside = !row.removed;
    EXPECT_EQ(FileExists(SetAsideName(path, 0)), keptAside);
    EXPECT_TRUE(!keptAside || ReadBytes(SetAsideName(path, 0)) == users);
    EXPECT_FALSE(FileExists(SetAsideName(path, 1)));
  }
}

// Ten thousand set-aside names taken: the load gives up rather than search for ever, and the file
// stays where it is.
TEST(FileListSetAside, EveryNameTakenKeepsTheFile) {
  testing::MemoryFileSystem fs;
  const std::string path = "work.tvef";
  fs.files[path].bytes = {'T', 'V', 'E'};
  for (int number = 0; number <= 9999; ++number) fs.files[SetAsideName(path, number)] = {};
  FakeWorkspace workspace(path);
  FileListState state(fs);
  state.SetWorkspace(&workspace);
  EXPECT_FALSE(state.Load(false));
  EXPECT_EQ(fs.files[path].bytes, (Bytes{'T', 'V', 'E'}));
  EXPECT_EQ(fs.files.size(), 10001u);
}

TEST_F(FileListFile, CopiesCarryBitsZeroAndOneIntoTheCallersBlocksAndNullListsAreIgnored) {
  FileEntryList host(4);
  Fill(host, {{"a.cpp", 1}, {"", 2}, {"dir\\b.h", 0}});
  // A host's own nodes may carry any byte; only bits 0 and 1 may cross.
  host.head->entry.flags = 0xFD;
  host.tail->entry.flags = 0x80;
  // ... and a host's node may have no name at all, which copies as the empty one.
  auto* const emptyName = host.head->next->entry.name;
  host.head->next->entry.name = nullptr;
  state.CopyFrom(&host);
  host.head->next->entry.name = emptyName;
  EXPECT_EQ(Loaded(), (EntryList{{"a.cpp", 1}, {"", 2}, {"dir\\b.h", 0}}));
  EXPECT_EQ(Entries(host), (EntryList{{"a.cpp", 0xFD}, {"", 2}, {"dir\\b.h", 0x80}}));

  FileEntryList back(3);
  Fill(back, {{"old1", 1}, {"old2", 1}, {"old3", 1}, {"old4", 1}});
  state.CopyTo(&back);
  EXPECT_EQ(Entries(back), Loaded());
  EXPECT_EQ(back.blockSize, 3);  // the caller's own pool and block size
  CopyFileEntries(back, back);   // onto itself
  EXPECT_EQ(Entries(back), Loaded());

  state.CopyTo(nullptr);
  state.CopyFrom(nullptr);
  EXPECT_EQ(Loaded().size(), 3u);
  FileEntryList empty;
  state.CopyFrom(&empty);
  state.CopyTo(&back);
  EXPECT_EQ(state.List().blocks, nullptr);
  EXPECT_EQ(back.count, 0u);
  EXPECT_EQ(back.blocks, nullptr);
  EXPECT_EQ(back.freeNodes, nullptr);
}

// A null path reads as "" (operation 6 giving null or an empty text): it names no file, so a load
// finds none and a save has nowhere to write. Without a workspace nothing changes at all.
TEST_F(FileListFile, ANullPathNamesNoFileAndWithoutAWorkspaceNothingHappens) {
  Fill(list, {{"kept", 1}});
  state.CopyFrom(&list);
  state.SetWorkspace(nullptr);
  EXPECT_FALSE(state.Save());
  EXPECT_FALSE(state.Load(true));
  EXPECT_EQ(Loaded(), (EntryList{{"kept", 1}}));
  for (const bool null : {true, false}) {
    SCOPED_TRACE(null ? "null" : "\"\"");
    FakeWorkspace nameless("");
    nameless.hasPath = !null;
    state.SetWorkspace(&nameless);
    state.CopyFrom(&list);
    EXPECT_FALSE(state.Save());
    EXPECT_TRUE(state.Load(true));
    EXPECT_TRUE(state.List().empty());
    EXPECT_EQ(nameless.calls, (testing::CallLog{"workspace.6", "workspace.6"}));
  }
  EXPECT_TRUE(fs.operations.empty());
}

TEST_F(FileListFile, SavingIntoAMissingDirectoryFails) {
  FakeWorkspace nowhere(dir.File("missing") + "/x.tvef");
  state.SetWorkspace(&nowhere);
  EXPECT_FALSE(Save());
}

}  // namespace
}  // namespace tolvane
