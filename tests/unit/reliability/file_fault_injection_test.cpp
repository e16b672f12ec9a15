// Every file operation of save, load (with its set-aside and its project export) failing in
// turn, on a real file system. Whatever fails, nothing crashes, the result is the documented
// one, and the file-list file at its path is exactly the old one or exactly the new one.
#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "filelist/file_entry_ops.h"
#include "filelist/file_list_state.h"
#include "filelist/file_list_writer.h"
#include "filelist/project_export.h"
#include "filelist/set_aside.h"
#include "support/fake_workspace.h"
#include "support/file_entry_list_checks.h"
#include "support/temp_directory.h"
#include "unit/reliability/fault_points.h"
#include "unit/reliability/open_descriptors.h"

namespace tolvane {
namespace {

using testing::FakeWorkspace;
using testing::FaultPoint;
using testing::FaultyFileSystem;
using testing::FileExists;
using testing::FileFault;
using testing::OpenDescriptors;
using testing::ReadBytes;
using testing::TempDirectory;
using testing::WriteBytes;
using Bytes = std::vector<uint8_t>;
using testing::EntryList;
using Counts = std::map<FileFault, int>;

const EntryList kOld = {{"src/main.cpp", 1}, {"include/a b.h", 2}, {"docs/readme.txt", 3}};
const EntryList kNew = {{"next.cpp", 1}, {"", 0}, {std::string(300, 'n'), 3}};
constexpr const char kListName[] = "work.tvef";

using testing::Encoded;
using testing::Fill;

std::set<std::string> NamesIn(const TempDirectory& dir) {
  std::set<std::string> names;
  for (const auto& item : std::filesystem::directory_iterator(dir.path()))
    names.insert(item.path().filename().string());
  return names;
}

std::string TextOf(const std::string& path) {
  const Bytes bytes = ReadBytes(path);
  return std::string(bytes.begin(), bytes.end());
}

// Runs `attempt` on a freshly prepared directory once with nothing failing, counting the
// operations, then once for every operation with that one failing. Returns the counts.
template <typename Prepare, typename Attempt>
Counts ForEachFaultPoint(Prepare prepare, Attempt attempt) {
  Counts counts;
  {
    TempDirectory dir;
    prepare(dir);
    FaultyFileSystem counting(NativeFileSystem());
    SCOPED_TRACE("no failure");
    attempt(dir, counting, FaultPoint{});
    counts = counting.counts;
  }
  for (const auto& [kind, total] : counts) {
    for (int nth = 1; nth <= total; ++nth) {
      TempDirectory dir;
      prepare(dir);
      FaultyFileSystem faulty(NativeFileSystem());
      faulty.Fail(kind, nth);
      const FaultPoint point{kind, nth};
      SCOPED_TRACE(point.Describe());
      attempt(dir, faulty, point);
    }
  }
  return counts;
}

void ExpectCounted(const Counts& counts, std::initializer_list<FileFault> kinds) {
  for (FileFault kind : kinds) EXPECT_GT(counts.count(kind), 0u) << int(kind);
}

TEST(FileFaults, SaveLeavesExactlyTheOldOrTheNewFile) {
  const Bytes oldBytes = Encoded(kOld), newBytes = Encoded(kNew);
  const Counts counts = ForEachFaultPoint(
      [&](TempDirectory& dir) { WriteBytes(dir.File(kListName), oldBytes); },
      [&](TempDirectory& dir, FileSystem& fs, FaultPoint point) {
        FakeWorkspace workspace(dir.File(kListName));
        FileListState state(fs);
        state.SetWorkspace(&workspace);
        FileEntryList list;
        Fill(list, kNew);
        state.CopyFrom(&list);
        const int descriptors = OpenDescriptors();
        const bool saved = state.Save();
        EXPECT_EQ(OpenDescriptors(), descriptors);
        const bool cannotStore = point.Is(FileFault::kOpenForWriting) ||
                                 point.Is(FileFault::kWrite) || point.Is(FileFault::kZeroWrite) ||
                                 point.Is(FileFault::kCommit) || point.Is(FileFault::kRename);
        EXPECT_EQ(saved, !cannotStore);
        EXPECT_EQ(ReadBytes(dir.File(kListName)), saved ? newBytes : oldBytes);
        EXPECT_EQ(NamesIn(dir), std::set<std::string>{kListName});  // nothing left beside it
        EXPECT_EQ(testing::Entries(state.List()), kNew);            // the list is only read
      });
  ExpectCounted(counts, {FileFault::kOpenForWriting, FileFault::kWrite, FileFault::kShortWrite,
                         FileFault::kZeroWrite, FileFault::kCommit, FileFault::kRename});
}

TEST(FileFaults, SaveWithNoOldFileLeavesTheNewFileOrNone) {
  const Bytes newBytes = Encoded(kNew);
  ForEachFaultPoint([](TempDirectory&) {},
                    [&](TempDirectory& dir, FileSystem& fs, FaultPoint) {
                      FakeWorkspace workspace(dir.File(kListName));
                      FileListState state(fs);
                      state.SetWorkspace(&workspace);
                      FileEntryList list;
                      Fill(list, kNew);
                      state.CopyFrom(&list);
                      if (state.Save()) {
                        EXPECT_EQ(ReadBytes(dir.File(kListName)), newBytes);
                      } else {
                        EXPECT_TRUE(NamesIn(dir).empty());
                      }
                    });
}

// A failed save whose clean-up fails too may leave its temporary file behind, but never harms
// the old file and never stands in the way of the next save.
TEST(FileFaults, ASaveWhoseCleanUpFailsKeepsTheOldFileAndTheNextSaveWorks) {
  for (FileFault first :
       {FileFault::kWrite, FileFault::kZeroWrite, FileFault::kCommit, FileFault::kRename}) {
    SCOPED_TRACE((FaultPoint{first, 1}.Describe()));
    TempDirectory dir;
    const std::string path = dir.File(kListName);
    WriteBytes(path, Encoded(kOld));
    FakeWorkspace workspace(path);
    FileEntryList list;
    Fill(list, kNew);
    FaultyFileSystem fs(NativeFileSystem());
    FileListState state(fs);
    state.SetWorkspace(&workspace);
    state.CopyFrom(&list);
    fs.Fail(first);
    fs.Fail(FileFault::kRemove);
    EXPECT_FALSE(state.Save());
    EXPECT_EQ(ReadBytes(path), Encoded(kOld));
    EXPECT_TRUE(state.Save());
    EXPECT_EQ(ReadBytes(path), Encoded(kNew));
    EXPECT_EQ(NamesIn(dir), std::set<std::string>{kListName});
  }
}

// The host objects for the entries of kOld, with both flags the other way round.
void AddHostEntries(FakeWorkspace& workspace) {
  for (const auto& [name, flags] : kOld)
    workspace.entrySet.Add(name, (flags & 1) == 0, (flags & 2) == 0);
}

TEST(FileFaults, LoadWithExportNeverTouchesTheListFileAndNeverHandsOverATornProject) {
  const Bytes oldBytes = Encoded(kOld);
  const std::string eol = kPlatformLineEnd;
  const std::string fragment = "<Files>" + eol + "\t<File RelativePath=\"src/main.cpp\"/>" + eol +
                               "\t<File RelativePath=\"docs/readme.txt\"/>" + eol + "</Files>" +
                               eol;
  const Counts counts = ForEachFaultPoint(
      [&](TempDirectory& dir) { WriteBytes(dir.File(kListName), oldBytes); },
      [&](TempDirectory& dir, FileSystem& fs, FaultPoint point) {
        const std::string path = dir.File(kListName);
        FakeWorkspace workspace(path);
        AddHostEntries(workspace);
        std::vector<std::string> handed;
        bool sameTime = false;
        workspace.onLoadProjectFile = [&](const std::string& project) {
          handed.push_back(TextOf(project));
          sameTime =
              std::filesystem::last_write_time(project) == std::filesystem::last_write_time(path);
        };
        FileListState state(fs);
        state.SetWorkspace(&workspace);
        FileEntryList leftOver;
        AppendEntry(leftOver, "left over", 1);
        state.CopyFrom(&leftOver);
        const FileEntryList& list = state.List();
        const int descriptors = OpenDescriptors();
        const bool loaded = state.Load(true);
        EXPECT_EQ(OpenDescriptors(), descriptors);

        EXPECT_EQ(ReadBytes(path), oldBytes);
        EXPECT_FALSE(FileExists(path + ".old"));
        EXPECT_TRUE(testing::ListShapeProblem(list).empty());
        const bool looksAbsent = point.Is(FileFault::kExists);  // loads as "no file": empty
        const bool unread = point.Is(FileFault::kOpenForReading) || point.Is(FileFault::kRead);
        EXPECT_EQ(loaded, !unread);
        EXPECT_EQ(testing::Entries(list), looksAbsent || unread ? EntryList{} : kOld);

        // The project file reaches the host whole or not at all, and never stays behind
        // unless deleting it is what failed.
        const bool written = loaded && !looksAbsent && !point.Is(FileFault::kOpenForWriting) &&
                             !point.Is(FileFault::kWrite) && !point.Is(FileFault::kZeroWrite) &&
                             !point.Is(FileFault::kCommit) && !point.Is(FileFault::kWriteTimes);
        const bool statusUnreadable = point.Is(FileFault::kReadTimes) && point.nth == 2;
        EXPECT_EQ(handed.size(), written && !statusUnreadable ? 1u : 0u);
        for (const std::string& text : handed) EXPECT_EQ(text, fragment);
        if (!handed.empty() && !point.Is(FileFault::kReadTimes)) {
          EXPECT_TRUE(sameTime);
        }
        EXPECT_EQ(FileExists(ProjectFilePath(path)), point.Is(FileFault::kRemove));

        // The host's flags follow the list exactly when the project file was written.
        for (const auto& [name, flags] : kOld) {
          EXPECT_EQ(workspace.entrySet.at(name).first, written == ((flags & 1) != 0)) << name;
          EXPECT_EQ(workspace.entrySet.at(name).second, written == ((flags & 2) != 0)) << name;
        }
      });
  ExpectCounted(counts, {FileFault::kExists, FileFault::kOpenForReading, FileFault::kRead,
                         FileFault::kShortRead, FileFault::kLength, FileFault::kShortLength,
                         FileFault::kLongLength, FileFault::kOpenForWriting, FileFault::kWrite,
                         FileFault::kShortWrite, FileFault::kZeroWrite, FileFault::kCommit,
                         FileFault::kReadTimes, FileFault::kWriteTimes, FileFault::kRemove});
}

// With ".old" holding an earlier set-aside, the file goes to ".old1" or stays; ".old" is kept.
TEST(FileFaults, AnUnreadableFileIsKeptEitherAtItsPathOrUnderAFreeSetAsideName) {
  Bytes unreadable = Encoded(kOld);
  unreadable[4] = 2;  // version 2
  const Bytes earlierAside = {'e', 'a', 'r', 'l', 'i', 'e', 'r'};
  const Counts counts = ForEachFaultPoint(
      [&](TempDirectory& dir) {
        WriteBytes(dir.File(kListName), unreadable);
        WriteBytes(dir.File(kListName) + ".old", earlierAside);
      },
      [&](TempDirectory& dir, FileSystem& fs, FaultPoint point) {
        const std::string path = dir.File(kListName), aside = SetAsideName(path, 1);
        FakeWorkspace workspace(path);
        FileListState state(fs);
        state.SetWorkspace(&workspace);
        const bool loaded = state.Load(true);
        EXPECT_TRUE(state.List().empty());
        EXPECT_EQ(loaded, point.Is(FileFault::kExists) && point.nth == 1);  // "no file": success
        const bool readInFull = !point.Is(FileFault::kExists) &&
                                !point.Is(FileFault::kOpenForReading) &&
                                !point.Is(FileFault::kRead);
        // A failing move or existence test along the names may stop the set-aside.
        const bool setAside = !FileExists(path);
        if (!readInFull || point.nth == 0) {
          EXPECT_EQ(setAside, readInFull);
        }
        EXPECT_EQ(ReadBytes(setAside ? aside : path), unreadable);
        EXPECT_EQ(FileExists(aside), setAside);
        EXPECT_EQ(ReadBytes(SetAsideName(path, 0)), earlierAside);
        EXPECT_FALSE(FileExists(ProjectFilePath(path)));
        EXPECT_EQ(workspace.calls, std::vector<std::string>{"workspace.6"});
      });
  ExpectCounted(counts, {FileFault::kRename, FileFault::kRead, FileFault::kShortRead});
}

}  // namespace
}  // namespace tolvane
