// A saving process killed at random points: the file-list file must always be exactly the old
// or exactly the new content, never torn and never gone. POSIX only (fork and SIGKILL).
#ifndef _WIN32

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/types.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "filelist/file_list_save.h"
#include "filelist/file_list_writer.h"
#include "support/fake_workspace.h"
#include "support/temp_directory.h"

namespace tolvane {
namespace {

using Bytes = std::vector<uint8_t>;

void FillNumbered(FileEntryList& list, const std::string& stem, int count) {
  for (int i = 0; i < count; ++i)
    list.Append(
        stem + "/directory-" + std::to_string(i % 37) + "/file-" + std::to_string(i) + ".cpp",
        uint8_t(i % 4));
}

Bytes Encoded(const FileEntryList& list) {
  Bytes bytes;
  EXPECT_TRUE(EncodeFileList(list, bytes));
  return bytes;
}

TEST(CrashSafety, ASaveKilledAtAnyPointLeavesTheOldOrTheNewFile) {
  testing::TempDirectory dir;
  const std::string path = dir.File("work.tvef");
  FileEntryList older, newer;  // about 100 KB and 150 KB: each save takes several writes' time
  FillNumbered(older, "old", 2500);
  FillNumbered(newer, "new", 3500);
  const Bytes olderBytes = Encoded(older), newerBytes = Encoded(newer);
  testing::WriteBytes(path, olderBytes);
  testing::FakeWorkspace workspace(path);

  const unsigned seed = std::random_device{}();
  SCOPED_TRACE("seed " + std::to_string(seed));
  std::mt19937 random(seed);
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(3);
  int rounds = 0, sawNewer = 0, sawOlder = 0;
  while (rounds < 60 && std::chrono::steady_clock::now() < deadline) {
    ++rounds;
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      // Saves the newer and the older list by turns until it is killed.
      for (unsigned i = 0;; ++i)
        SaveFileListFile(workspace, NativeFileSystem(), i % 2 == 0 ? newer : older);
    }
    std::this_thread::sleep_for(std::chrono::microseconds(random() % 30000));
    ASSERT_EQ(kill(child, SIGKILL), 0);
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL) << "round " << rounds;

    ASSERT_TRUE(testing::FileExists(path)) << "round " << rounds << ": the file is gone";
    const Bytes now = testing::ReadBytes(path);
    if (now == newerBytes) {
      ++sawNewer;
    } else if (now == olderBytes) {
      ++sawOlder;
    } else {
      ADD_FAILURE() << "round " << rounds << ": a torn file of " << now.size() << " bytes";
    }
  }
  // The children got far enough to replace the file: the check above was not vacuous.
  EXPECT_GT(sawNewer, 0) << rounds << " rounds";
  RecordProperty("rounds", rounds);
  RecordProperty("older", sawOlder);
}

}  // namespace
}  // namespace tolvane

#endif  // _WIN32
