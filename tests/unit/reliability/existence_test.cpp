// Only a path that is certainly empty loads as "no file": a load that cannot tell whether the
// file is there must fail and leave it alone, or the host would take an empty list for the
// workspace's and save it over the stored one.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "filelist/file_entry_ops.h"
#include "filelist/file_list_state.h"
#include "support/fake_workspace.h"
#include "support/temp_directory.h"

#ifndef _WIN32
#include <unistd.h>
#endif

namespace tolvane {
namespace {

// Loads the list from `path` over a list that holds one entry; the load's result.
bool LoadOver(const std::string& path, FileListState& state) {
  testing::FakeWorkspace workspace(path);
  FileEntryList list;
  AppendEntry(list, "left over", 1);
  state.SetWorkspace(&workspace);
  state.CopyFrom(&list);
  return state.Load(true);
}

#ifndef _WIN32

// A link to itself: the path is there (a link), but it cannot be opened (ELOOP). A path through
// that link: even its status cannot be read (ELOOP).
TEST(FileListExistence, APathWhoseStatusCannotBeReadIsNotTakenForNoFile) {
  testing::TempDirectory dir;
  const std::string loop = dir.File("work.tvef");
  ASSERT_EQ(::symlink(loop.c_str(), loop.c_str()), 0);
  for (const std::string& path : {loop, loop + "/work.tvef"}) {
    FileListState state;
    EXPECT_FALSE(LoadOver(path, state)) << path;
    EXPECT_TRUE(state.List().empty()) << path;
    EXPECT_TRUE(std::filesystem::is_symlink(loop)) << path;
  }
}

TEST(FileListExistence, AMissingFileOrDirectoryIsNoFile) {
  testing::TempDirectory dir;
  for (const std::string& path :
       {dir.File("absent.tvef"), dir.File("no-such-directory/work.tvef")}) {
    testing::FakeWorkspace workspace(path);
    FileListState state;
    state.SetWorkspace(&workspace);
    EXPECT_TRUE(state.Load(true)) << path;
  }
  testing::WriteBytes(dir.File("plain"), {1});
  testing::FakeWorkspace underAFile(dir.File("plain") + "/work.tvef");  // ENOTDIR
  FileListState state;
  state.SetWorkspace(&underAFile);
  EXPECT_TRUE(state.Load(false));
}

#else  // _WIN32

// Paths a host may hand over that cannot name a file: nothing is there, so the load succeeds
// with no entries.
TEST(FileListExistence, APathThatCannotNameAFileIsNoFile) {
  testing::TempDirectory dir;
  for (const std::string& path : {
           dir.File("absent.tvef"), dir.File("no-such-folder\\work.tvef"),
           dir.File("a<b>.tvef"),                      // characters no name may hold
           dir.File(std::string(300, 'n') + ".tvef"),  // longer than a path may be
           std::string("q:\\work.tvef"),               // a drive that is not there
       }) {
    FileListState state;
    EXPECT_TRUE(LoadOver(path, state)) << path;
    EXPECT_TRUE(state.List().empty()) << path;
  }
}

// A path whose attributes cannot be read (here on a share the system cannot reach) may still name
// the user's file: the load fails.
TEST(FileListExistence, APathWhoseStatusCannotBeReadIsNotTakenForNoFile) {
  FileListState state;
  EXPECT_FALSE(LoadOver("\\\\no-such-host\\share\\work.tvef", state));
  EXPECT_TRUE(state.List().empty());
}

#endif  // _WIN32

}  // namespace
}  // namespace tolvane
