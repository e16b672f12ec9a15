// Only a path that is certainly empty loads as "no file": a load that cannot tell whether the
// file is there must fail and leave it alone, or the host would take an empty list for the
// workspace's and save it over the stored one.
#ifndef _WIN32

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <string>

#include "filelist/file_entry_ops.h"
#include "filelist/file_list_state.h"
#include "support/fake_workspace.h"
#include "support/temp_directory.h"

namespace tolvane {
namespace {

TEST(FileListExistence, APathWhoseStatusCannotBeReadIsNotTakenForNoFile) {
  testing::TempDirectory dir;
  const std::string path = dir.File("work.tvef");
  ASSERT_EQ(::symlink(path.c_str(), path.c_str()), 0);  // a loop: stat fails with ELOOP
  testing::FakeWorkspace workspace(path);
  FileEntryList list;
  AppendEntry(list, "left over", 1);
  FileListState state;
  state.SetWorkspace(&workspace);
  state.CopyFrom(&list);
  EXPECT_FALSE(state.Load(true));
  EXPECT_TRUE(state.List().empty());
  EXPECT_TRUE(std::filesystem::is_symlink(path));
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

}  // namespace
}  // namespace tolvane

#endif  // _WIN32
