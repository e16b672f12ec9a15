// The POSIX file system's answers to the failures a real machine gives: each row stages one with
// real paths (a folder read as a file, a full device, a device that cannot sync, a name too long,
// a folder moved into itself). Which paths count as absent is the existence test's.
#ifndef _WIN32

#include <gtest/gtest.h>
#include <linux/audit.h>
#include <linux/filter.h>
#include <linux/seccomp.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <sys/uio.h>
#include <sys/wait.h>
#include <ucontext.h>
#include <unistd.h>

#ifdef __SANITIZE_ADDRESS__
#include <sanitizer/lsan_interface.h>
#endif

#include <cerrno>
#include <cstddef>
#include <cstdlib>
#include <functional>
#include <string>
#include <type_traits>
#include <vector>

#include "filelist/file_system.h"
#include "filelist/file_transfer.h"
#include "support/temp_directory.h"

namespace tolvane {
namespace {

using testing::TempDirectory;

// Writes `text` and commits; the result of the first step that fails, or true.
bool WriteAndCommit(FileSystem& fs, const std::string& path, const std::string& text) {
  std::unique_ptr<WritableFile> file = fs.OpenForWriting(path);
  std::size_t written = 0;
  return file != nullptr && file->Write(text.data(), text.size(), written) &&
         written == text.size() && file->Commit();
}

bool ReadOnce(FileSystem& fs, const std::string& path) {
  std::unique_ptr<ReadableFile> file = fs.OpenForReading(path);
  char buffer[16];
  std::size_t got = 0;
  return file != nullptr && file->Read(buffer, sizeof buffer, got);
}

// An operation on real paths that the machine makes fail.
struct FailingRow {
  const char* what;
  std::function<bool(FileSystem&, const TempDirectory&)> operation;
};

TEST(PosixFileSystem, RealFailuresAreReportedAsFailures) {
  const std::vector<FailingRow> rows = {
      {"exists: a name too long",
       [](auto& f, auto& d) { return f.Exists(d.File(std::string(300, 'n'))); }},
      // Its status cannot be read, so it may be there.
      {"read: a folder", [](auto& f, auto& d) { return ReadOnce(f, d.File("folder")); }},
      {"write: a full device", [](auto& f, auto&) { return WriteAndCommit(f, "/dev/full", "x"); }},
      {"commit: a device that cannot sync",
       [](auto& f, auto&) { return WriteAndCommit(f, "/dev/null", "x"); }},
      {"rename to a free name: taken",
       [](auto& f, auto& d) { return f.RenameToFreeName(d.File("file"), d.File("folder")); }},
      {"rename to a free name: a folder into itself",
       [](auto& f, auto& d) {
         return f.RenameToFreeName(d.File("folder"), d.File("folder/inside"));
       }},
      {"read times: nothing there",
       [](auto& f, auto& d) {
         FileTimes times;
         return f.ReadTimes(d.File("absent"), times);
       }},
      {"write times: nothing there",
       [](auto& f, auto& d) { return f.WriteTimes(d.File("absent"), FileTimes{}); }},
  };
  for (const FailingRow& row : rows) {
    SCOPED_TRACE(row.what);
    TempDirectory dir;
    testing::WriteBytes(dir.File("file"), {'t', 'e', 'x', 't'});
    ASSERT_EQ(::mkdir(dir.File("folder").c_str(), 0777), 0);
    EXPECT_FALSE(row.operation(NativeFileSystem(), dir));
    // A failed move leaves its source where it was.
    EXPECT_TRUE(testing::FileExists(dir.File("file")));
    EXPECT_TRUE(testing::FileExists(dir.File("folder/.")));
  }
}

// What an older kernel, a file system without the no-replace flag, one that reports errors only
// at close or cannot tell a file's length, or a signal arriving during a call gives, staged in a
// child process whose calls of one kind fail with that error.
#if defined(__x86_64__) || defined(__aarch64__)

struct Refusal {
  long call;
  int error;
  // Only the first such call on a descriptor beyond the standard three fails; the others go
  // through, as their vectored twins. For reads and writes only.
  bool once = false;
};

// The error of the read or write that fails once, and whether it has failed yet.
int onceError[2] = {0, 0};
bool failedOnce[2] = {false, false};

// The handler of the trap the filter raises for a call refused once: the first read or write on a
// descriptor beyond the standard three fails, any other is made as readv or writev, which the
// filter lets through.
void OnTrappedCall(int, siginfo_t* info, void* context) {
  const int savedErrno = errno;
  auto& machine = static_cast<ucontext_t*>(context)->uc_mcontext;
#ifdef __x86_64__
  auto* const arguments = machine.gregs;
  const long fd = long(arguments[REG_RDI]);
  iovec piece{reinterpret_cast<void*>(arguments[REG_RSI]), std::size_t(arguments[REG_RDX])};
  auto& result = arguments[REG_RAX];
#else
  const long fd = long(machine.regs[0]);
  iovec piece{reinterpret_cast<void*>(machine.regs[1]), std::size_t(machine.regs[2])};
  auto& result = machine.regs[0];
#endif
  const bool write = info->si_syscall == SYS_write;
  long value = 0;
  if (fd > 2 && !failedOnce[write]) {
    failedOnce[write] = true;
    value = -onceError[write];
  } else {
    value = ::syscall(write ? SYS_writev : SYS_readv, fd, &piece, 1);
    if (value < 0) value = -errno;
  }
  result = static_cast<std::remove_reference_t<decltype(result)>>(value);
  errno = savedErrno;
}

// Under LeakSanitizer, the leak check a child would make at its exit, made now: at exit it would
// stop the world through calls the filter refuses, and spin. (The exit still writes coverage.)
void LeakCheckNow() {
#ifdef __SANITIZE_ADDRESS__
  __lsan_do_leak_check();
#endif
}

// From here on in this process each call of the refused kinds fails with its error.
void Refuse(const std::vector<Refusal>& refusals) {
#ifdef __x86_64__
  constexpr uint32_t kArch = AUDIT_ARCH_X86_64;
#else
  constexpr uint32_t kArch = AUDIT_ARCH_AARCH64;
#endif
  std::vector<sock_filter> program = {
      BPF_STMT(BPF_LD | BPF_W | BPF_ABS, offsetof(seccomp_data, arch)),
      BPF_JUMP(BPF_JMP | BPF_JEQ | BPF_K, kArch, 1, 0),
      BPF_STMT(BPF_RET | BPF_K, SECCOMP_RET_ALLOW),
      BPF_STMT(BPF_LD | BPF_W | BPF_ABS, offsetof(seccomp_data, nr)),
  };
  for (const Refusal& refusal : refusals) {
    uint32_t action = SECCOMP_RET_ERRNO | uint32_t(refusal.error);
    if (refusal.once) {
      onceError[refusal.call == SYS_write] = refusal.error;
      struct sigaction trap {};
      trap.sa_sigaction = OnTrappedCall;
      trap.sa_flags = SA_SIGINFO;
      if (::sigaction(SIGSYS, &trap, nullptr) != 0) ::_exit(2);
      action = SECCOMP_RET_TRAP;
    }
    program.push_back(BPF_JUMP(BPF_JMP | BPF_JEQ | BPF_K, uint32_t(refusal.call), 0, 1));
    program.push_back(BPF_STMT(BPF_RET | BPF_K, action));
  }
  program.push_back(BPF_STMT(BPF_RET | BPF_K, SECCOMP_RET_ALLOW));
  const sock_fprog filter{static_cast<unsigned short>(program.size()), program.data()};
  if (::prctl(PR_SET_NO_NEW_PRIVS, 1, 0, 0, 0) != 0 ||
      ::prctl(PR_SET_SECCOMP, SECCOMP_MODE_FILTER, &filter) != 0) {
    ::_exit(2);
  }
}

// Whether this machine lets a process filter its own calls (a container may not).
bool CanFilterCalls() {
  const pid_t child = ::fork();
  if (child < 0) return false;
  if (child == 0) {
    Refuse({});
    ::_exit(0);
  }
  int status = 0;
  return ::waitpid(child, &status, 0) == child && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

#ifdef SYS_unlink
const std::vector<Refusal> kUnlinkBusy = {{SYS_unlink, EBUSY}, {SYS_unlinkat, EBUSY}};
#else
const std::vector<Refusal> kUnlinkBusy = {{SYS_unlinkat, EBUSY}};
#endif

// fstat, and the calls a C library may make it through.
const std::vector<Refusal> kStatusUnreadable = {
#ifdef SYS_fstat
    {SYS_fstat, EIO},
#endif
    {SYS_newfstatat, EIO},
#ifdef SYS_statx
    {SYS_statx, EIO},
#endif
};

struct RefusedRow {
  const char* what;
  std::vector<Refusal> refused;
  // Runs in the child: whether the outcome is the expected one.
  std::function<bool(FileSystem&, const TempDirectory&)> holds;
};

TEST(PosixFileSystem, RefusedCallsFallBackOrFail) {
  if (!CanFilterCalls()) GTEST_SKIP() << "this machine does not let a process filter its calls";
  std::vector<Refusal> noRenameat2UnlinkBusy = {{SYS_renameat2, ENOSYS}};
  noRenameat2UnlinkBusy.insert(noRenameat2UnlinkBusy.end(), kUnlinkBusy.begin(), kUnlinkBusy.end());
  const std::vector<RefusedRow> rows = {
      {"a kernel without renameat2: a second link moves the file",
       {{SYS_renameat2, ENOSYS}},
       [](auto& f, auto& d) {
         return f.RenameToFreeName(d.File("file"), d.File("moved")) &&
                !testing::FileExists(d.File("file")) &&
                testing::ReadBytes(d.File("moved")).size() == 4;
       }},
      {"no flag: a taken name stays",
       {{SYS_renameat2, EINVAL}},
       [](auto& f, auto& d) {
         return !f.RenameToFreeName(d.File("file"), d.File("taken")) &&
                testing::ReadBytes(d.File("file")).size() == 4 &&
                testing::ReadBytes(d.File("taken")).size() == 1;
       }},
      {"no renameat2, the old name cannot go: the file stays", noRenameat2UnlinkBusy,
       [](auto& f, auto& d) {
         return !f.RenameToFreeName(d.File("file"), d.File("moved")) &&
                testing::ReadBytes(d.File("file")).size() == 4;
       }},
      {"close reports an error: the commit fails",
       {{SYS_close, EIO}},
       [](auto& f, auto& d) { return !WriteAndCommit(f, d.File("new"), "x"); }},
      {"the length cannot be read: the file is read in full all the same", kStatusUnreadable,
       [](auto& f, auto& d) {
         std::unique_ptr<ReadableFile> file = f.OpenForReading(d.File("file"));
         uint64_t length = 0;
         std::vector<uint8_t> bytes;
         return file != nullptr && !file->Length(length) && ReadToEnd(*file, bytes) &&
                bytes == std::vector<uint8_t>{'t', 'e', 'x', 't'};
       }},
      {"a signal interrupts the read: it is read again",
       {{SYS_read, EINTR, true}},
       [](auto& f, auto& d) {
         std::unique_ptr<ReadableFile> file = f.OpenForReading(d.File("file"));
         char buffer[16];
         std::size_t got = 0;
         return file != nullptr && file->Read(buffer, sizeof buffer, got) && got == 4 &&
                failedOnce[0];
       }},
      {"a signal interrupts the write: it is written again",
       {{SYS_write, EINTR, true}},
       [](auto& f, auto& d) {
         return WriteAndCommit(f, d.File("new"), "x") && failedOnce[1] &&
                testing::ReadBytes(d.File("new")) == std::vector<uint8_t>{'x'};
       }},
  };
  for (const RefusedRow& row : rows) {
    SCOPED_TRACE(row.what);
    TempDirectory dir;
    testing::WriteBytes(dir.File("file"), {'t', 'e', 'x', 't'});
    testing::WriteBytes(dir.File("taken"), {'t'});
    EXPECT_EXIT(
        {
          LeakCheckNow();
          Refuse(row.refused);
          std::exit(row.holds(NativeFileSystem(), dir) ? 0 : 1);
        },
        ::testing::ExitedWithCode(0), "");
  }
}

#endif  // x86_64 or aarch64

}  // namespace
}  // namespace tolvane

#endif  // !_WIN32
