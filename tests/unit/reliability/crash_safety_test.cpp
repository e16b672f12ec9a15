// A saving process killed at many points: the file-list file must always be exactly the old or
// exactly the new content, never torn and never gone. POSIX only (fork and SIGKILL).
#ifndef _WIN32

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/types.h>
#include <sys/wait.h>
#include <unistd.h>

#include <random>
#include <string>
#include <vector>

#include "filelist/file_entry_ops.h"
#include "filelist/file_list_save.h"
#include "filelist/file_list_writer.h"
#include "support/fake_workspace.h"
#include "support/faulty_file_system.h"
#include "support/temp_directory.h"

namespace tolvane {
namespace {

using Bytes = std::vector<uint8_t>;

void FillNumbered(FileEntryList& list, const std::string& stem, int count) {
  for (int i = 0; i < count; ++i)
    AppendEntry(
        list, stem + "/directory-" + std::to_string(i % 37) + "/file-" + std::to_string(i) + ".cpp",
        uint8_t(i % 4));
}

Bytes Encoded(const FileEntryList& list) {
  Bytes bytes;
  EncodeFileList(list, bytes);
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

  // A fixed seed: each run kills after the same counts of finished steps.
  std::mt19937 random(20261207);
  int sawNewer = 0, sawOlder = 0;
  constexpr int kRounds = 60;
  // Open, at most ten writes of 16 KiB (the newer list is under 160 KiB), commit, rename.
  constexpr int kStepsPerSave = 13;
  for (int round = 1; round <= kRounds; ++round) {
    int progress[2];
    ASSERT_EQ(pipe(progress), 0);
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      // Saves the newer and the older list by turns, reporting every step, until it is killed.
      close(progress[0]);
      // Tells the pipe of every finished operation (each write included), so that the parent
      // can kill it between any two of them; short writes make a save many steps.
      testing::FaultyFileSystem fs(NativeFileSystem());
      fs.afterEach = [pipe = progress[1]] {
        const char step = 's';
        if (write(pipe, &step, 1) != 1) _exit(1);
      };
      fs.maxWrite = 16384;
      for (unsigned i = 0;; ++i) SaveFileListFile(workspace, fs, i % 2 == 0 ? newer : older);
    }
    close(progress[1]);
    // No save takes more than kStepsPerSave steps: the kill comes after the first save has
    // finished, anywhere in the saves that follow it.
    const int steps = kStepsPerSave + static_cast<int>(random() % (3 * kStepsPerSave));
    int reported = 0;
    char step = 0;
    while (reported < steps && read(progress[0], &step, 1) == 1) ++reported;
    ASSERT_EQ(kill(child, SIGKILL), 0);
    close(progress[0]);
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL) << "round " << round;
    // The child replaced the file before it was killed: the check below is not vacuous.
    ASSERT_EQ(reported, steps) << "round " << round;

    ASSERT_TRUE(testing::FileExists(path)) << "round " << round << ": the file is gone";
    const Bytes now = testing::ReadBytes(path);
    if (now == newerBytes) {
      ++sawNewer;
    } else if (now == olderBytes) {
      ++sawOlder;
    } else {
      ADD_FAILURE() << "round " << round << ": a torn file of " << now.size() << " bytes";
    }
  }
  RecordProperty("newer", sawNewer);
  RecordProperty("older", sawOlder);
}

}  // namespace
}  // namespace tolvane

#endif  // _WIN32
