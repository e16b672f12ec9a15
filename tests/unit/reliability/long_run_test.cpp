// Many load, save and export cycles through the entries the host calls must leave nothing
// behind: no allocation, no open file, no stray file (and under LeakSanitizer no lost block).
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "filelist/file_entry_ops.h"
#include "filelist/file_list_state.h"
#include "filelist/project_export.h"
#include "support/file_entry_list_checks.h"
#include "support/memory_file_system.h"
#include "support/temp_directory.h"
#include "unit/reliability/counting_allocator.h"
#include "unit/reliability/open_descriptors.h"

namespace tolvane {
namespace {

// A workspace that answers without keeping a log, so that the test itself does not grow.
class QuietFileEntry final : public HostFileEntry {
 public:
  bool FirstFlag() override { return first; }
  void SetFirstFlag(bool value) override { first = value; }
  void SetSecondFlag(bool value) override { second = value; }
  bool first = false, second = false;
};

class QuietWorkspace final : public HostWorkspace {
 public:
  explicit QuietWorkspace(std::string path) : path_(std::move(path)) {}
  HostFileEntrySet* FileEntrySet() override { return &set_; }
  const char* FileListPath() override { return path_.c_str(); }
  void LoadProjectFile(const char*) override { ++projectsHanded; }
  QuietFileEntry entry;  // stands for every file the host knows
  int projectsHanded = 0;

 private:
  class Set final : public HostFileEntrySet {
   public:
    explicit Set(QuietFileEntry& entry) : entry_(entry) {}
    HostFileEntry* Find(const char*) override { return &entry_; }

   private:
    QuietFileEntry& entry_;
  };
  std::string path_;
  Set set_{entry};
};

class LongRun : public ::testing::Test {
 protected:
  void SetUp() override {
    for (int i = 0; i < 40; ++i)
      AppendEntry(
          hostList_,
          "solution/project-" + std::to_string(i % 3) + "/file-" + std::to_string(i) + ".cpp",
          uint8_t(i % 4));
  }

  // One cycle as the host drives it: hand over a list, save it, load it back with the export,
  // take a copy.
  void Cycle(QuietWorkspace& workspace) {
    state_->CopyFrom(&hostList_);
    ASSERT_TRUE(state_->Save());
    ASSERT_TRUE(state_->Load(true));
    state_->CopyTo(&copy_);
    ASSERT_EQ(copy_.count, hostList_.count);
    ASSERT_EQ(workspace.projectsHanded, ++expectedHanded_);
  }

  std::optional<FileListState> state_;
  FileEntryList hostList_{7};
  FileEntryList copy_{5};
  int expectedHanded_ = 0;
};

TEST_F(LongRun, TenThousandCyclesKeepNoMemory) {
  testing::MemoryFileSystem fs;
  QuietWorkspace workspace("/workspace/files.tvef");
  state_.emplace(fs);
  state_->SetWorkspace(&workspace);
  Cycle(workspace);  // the first cycle sizes whatever is reused
  const int64_t live = testing::LiveAllocations();
  for (int i = 0; i < 10000 && !HasFatalFailure(); ++i) Cycle(workspace);
  EXPECT_EQ(testing::Entries(copy_), testing::Entries(hostList_));
  EXPECT_EQ(fs.openFiles, 0);
  EXPECT_EQ(fs.files.size(), 1u);  // the list file, and no project or temporary file
  if (testing::RoutesStringAllocations()) {
    EXPECT_EQ(testing::LiveAllocations(), live);
  }
}

TEST_F(LongRun, CyclesOnTheRealFileSystemCloseEveryFile) {
  testing::TempDirectory dir;
  const std::string path = dir.File("files.tvef");
  QuietWorkspace workspace(path);
  state_.emplace();
  state_->SetWorkspace(&workspace);
  Cycle(workspace);
  const int descriptors = testing::OpenDescriptors();
  for (int i = 0; i < 50 && !HasFatalFailure(); ++i) Cycle(workspace);
  EXPECT_EQ(testing::OpenDescriptors(), descriptors);
  EXPECT_FALSE(testing::FileExists(ProjectFilePath(path)));
  EXPECT_FALSE(testing::FileExists(path + ".new"));
  EXPECT_EQ(testing::Entries(copy_), testing::Entries(hostList_));
}

}  // namespace
}  // namespace tolvane
