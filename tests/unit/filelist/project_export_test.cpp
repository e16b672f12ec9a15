// The project export that follows a good load: the fragment's lines, its time stamp, the order
// of the host calls, and the host's per-file flags.
#include "filelist/project_export.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "filelist/file_entry_ops.h"
#include "filelist/file_list_state.h"
#include "filelist/file_list_writer.h"
#include "filelist/project_fragment.h"
#include "support/fake_workspace.h"
#include "support/faulty_file_system.h"
#include "support/temp_directory.h"

namespace tolvane {
namespace {

using testing::CallLog;
using testing::FakeWorkspace;
using testing::FaultyFileSystem;
using testing::FileExists;
using testing::FileFault;
using testing::ReadBytes;
using testing::WriteBytes;
using Entries = std::vector<std::pair<std::string, int>>;

void Fill(FileEntryList& list, const Entries& entries) {
  for (const auto& [name, flags] : entries) AppendEntry(list, name, uint8_t(flags));
}

TEST(ProjectFragment, ListsOnlyEntriesWithBitZeroBetweenTheOpeningAndClosingLines) {
  FileEntryList list;
  Fill(list, {{"a.cpp", 1}, {"b.h", 2}, {"c.rc", 3}});
  EXPECT_EQ(
      ProjectFragment(list, "\n"),
      "<Files>\n\t<File RelativePath=\"a.cpp\"/>\n\t<File RelativePath=\"c.rc\"/>\n</Files>\n");
  EXPECT_EQ(ProjectFragment(list, "\r\n"),
            "<Files>\r\n\t<File RelativePath=\"a.cpp\"/>\r\n\t<File RelativePath=\"c.rc\"/>\r\n"
            "</Files>\r\n");
}

TEST(ProjectFragment, EscapesTheFourCharactersThatWouldBreakTheAttribute) {
  FileEntryList list;
  Fill(list, {{"a&b \"<x>\".cpp", 1}, {"&&", 1}, {"plain name's [1].cpp", 1}});
  EXPECT_EQ(ProjectFragment(list, "\n"),
            "<Files>\n"
            "\t<File RelativePath=\"a&amp;b &quot;&lt;x&gt;&quot;.cpp\"/>\n"
            "\t<File RelativePath=\"&amp;&amp;\"/>\n"
            "\t<File RelativePath=\"plain name's [1].cpp\"/>\n"
            "</Files>\n");
}

class ProjectExport : public ::testing::Test {
 protected:
  testing::TempDirectory dir;
  std::string path = dir.File("ws.tvef");
  std::string project = path + ".vcproj";
  FakeWorkspace workspace{path};
  FaultyFileSystem fs{NativeFileSystem()};
  FileEntryList list;
  std::string seenText;
  FileTimes seenTimes;

  void SetUp() override {
    workspace.onLoadProjectFile = [this](const std::string& file) {
      const std::vector<uint8_t> bytes = ReadBytes(file);
      seenText.assign(bytes.begin(), bytes.end());
      NativeFileSystem().ReadTimes(file, seenTimes);
    };
  }

  // Stores `entries` as the workspace's file with an old time stamp, then loads it.
  bool StoreAndLoad(const Entries& entries, bool exportToHost = true) {
    FileEntryList stored;
    Fill(stored, entries);
    std::vector<uint8_t> bytes;
    EncodeFileList(stored, bytes);
    WriteBytes(path, bytes);
    FileTimes times;
    NativeFileSystem().ReadTimes(path, times);
    times.lastWrite -= times.lastWrite / 4;  // clearly in the past
    NativeFileSystem().WriteTimes(path, times);
    FileListState state(fs);
    state.SetWorkspace(&workspace);
    const bool loaded = state.Load(exportToHost);
    state.CopyTo(&list);
    return loaded;
  }

  static std::string Line(const std::string& name) {
    return "\t<File RelativePath=\"" + name + "\"/>" + kPlatformLineEnd;
  }
  static std::string Fragment(const std::string& lines) {
    return std::string("<Files>") + kPlatformLineEnd + lines + "</Files>" + kPlatformLineEnd;
  }
};

TEST_F(ProjectExport, HandsTheHostTheFragmentThenSetsItsFlagsInOrder) {
  workspace.entrySet.Add("a.cpp", /*first=*/true, /*second=*/true);
  workspace.entrySet.Add("b.h", /*first=*/true, /*second=*/false);
  workspace.entrySet.Add("c.rc", /*first=*/false, /*second=*/false);
  ASSERT_TRUE(StoreAndLoad({{"a.cpp", 1}, {"b.h", 2}, {"missing.cpp", 1}, {"c.rc", 3}}));

  EXPECT_EQ(workspace.calls,
            (CallLog{"workspace.6", "workspace.11 " + project, "workspace.1", "set.2 a.cpp",
                     "a.cpp.1", "a.cpp.8 0", "set.2 b.h", "b.h.1", "b.h.6 0", "b.h.8 1",
                     "set.2 missing.cpp", "set.2 c.rc", "c.rc.1", "c.rc.6 1", "c.rc.8 1"}));
  EXPECT_EQ(seenText, Fragment(Line("a.cpp") + Line("missing.cpp") + Line("c.rc")));
  EXPECT_FALSE(FileExists(project));
  EXPECT_TRUE(workspace.entrySet.at("c.rc").first);
  EXPECT_FALSE(workspace.entrySet.at("a.cpp").second);
}

TEST_F(ProjectExport, TheHostSeesTheListFilesModificationTime) {
  ASSERT_TRUE(StoreAndLoad({{"a.cpp", 1}}));
  FileTimes listTimes;
  ASSERT_TRUE(NativeFileSystem().ReadTimes(path, listTimes));
  EXPECT_NE(seenTimes.lastWrite, 0);
  EXPECT_EQ(seenTimes.lastWrite, listTimes.lastWrite);
}

TEST_F(ProjectExport, WithNoEntryInTheProjectTheFileHoldsOnlyTheOuterLines) {
  workspace.entrySet.Add("x.h", true, true);
  ASSERT_TRUE(StoreAndLoad({{"x.h", 2}}));
  EXPECT_EQ(seenText, Fragment(""));
  EXPECT_EQ(workspace.calls, (CallLog{"workspace.6", "workspace.11 " + project, "workspace.1",
                                      "set.2 x.h", "x.h.1", "x.h.6 0", "x.h.8 1"}));
}

TEST_F(ProjectExport, NamesThatNeedEscapingAreWrittenEscapedAndLookedUpAsTheyAre) {
  workspace.entrySet.Add("a&b.cpp", false, false);
  ASSERT_TRUE(StoreAndLoad({{"a&b.cpp", 1}}));
  EXPECT_EQ(seenText, Fragment(Line("a&amp;b.cpp")));
  EXPECT_TRUE(workspace.entrySet.at("a&b.cpp").first);
}

TEST_F(ProjectExport, NotAskedForOrNothingLoadedMeansNoExport) {
  ASSERT_TRUE(StoreAndLoad({{"a.cpp", 1}}, /*exportToHost=*/false));
  EXPECT_EQ(list.count, 1u);
  ASSERT_TRUE(StoreAndLoad({}, /*exportToHost=*/true));
  EXPECT_EQ(workspace.calls, (CallLog{"workspace.6", "workspace.6"}));
  EXPECT_FALSE(FileExists(project));
}

TEST_F(ProjectExport, AnOldProjectFileIsOverwrittenThenDeleted) {
  WriteBytes(project, std::vector<uint8_t>(5000, 'z'));
  ASSERT_TRUE(StoreAndLoad({{"a.cpp", 1}}));
  EXPECT_EQ(seenText, Fragment(Line("a.cpp")));
  EXPECT_FALSE(FileExists(project));
}

TEST_F(ProjectExport, WhenTheListFilesTimesCannotBeReadTheProjectFileKeepsItsOwn) {
  fs.Fail(FileFault::kReadTimes, 1);
  ASSERT_TRUE(StoreAndLoad({{"a.cpp", 1}}));
  FileTimes listTimes;
  ASSERT_TRUE(NativeFileSystem().ReadTimes(path, listTimes));
  EXPECT_GT(seenTimes.lastWrite, listTimes.lastWrite);
  for (const std::string& op : fs.operations) EXPECT_NE(op, "write-times " + project);
}

TEST_F(ProjectExport, AWorkspaceWithoutAnEntrySetStillGetsTheProjectFile) {
  workspace.hasEntrySet = false;
  ASSERT_TRUE(StoreAndLoad({{"a.cpp", 1}}));
  EXPECT_EQ(workspace.calls, (CallLog{"workspace.6", "workspace.11 " + project, "workspace.1"}));
}

TEST_F(ProjectExport, FileSystemOperationsComeInTheOrderThatKeepsTheFileAliveForTheHost) {
  ASSERT_TRUE(StoreAndLoad({{"a.cpp", 1}}));
  EXPECT_EQ(fs.operations, (std::vector<std::string>{
                               "exists " + path, "open-read " + path, "open-write " + project,
                               "read-times " + path, "read-times " + project,
                               "write-times " + project, "remove " + project}));
}

}  // namespace
}  // namespace tolvane
