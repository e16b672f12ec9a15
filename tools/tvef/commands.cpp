#include "tvef/commands.h"

#include <iostream>
#include <iterator>
#include <span>

#include "filelist/file_entry_ops.h"
#include "filelist/file_list_reader.h"
#include "filelist/file_list_writer.h"
#include "filelist/file_transfer.h"
#include "filelist/project_fragment.h"
#include "tvef/entry_line.h"

namespace tvef {

namespace {

using tolvane::FileEntryList;
using tolvane::FileListDecoding;
using tolvane::FileListProblem;

constexpr char kVersionText[] = "tvef 1.0.0";

constexpr char kUsage[] =
    "usage: tvef COMMAND FILE\n"
    "Inspects, writes and checks workspace file-list files.\n"
    "\n"
    "commands:\n"
    "  dump FILE     one line per entry: the flags value 0-3, a tab, the name; in the name\n"
    "                backslash, tab, line feed, carriage return and the other bytes below 0x20\n"
    "                and 0x7F are written as \\\\ \\t \\n \\r \\xHH\n"
    "  create FILE   write FILE from lines in the dump form read on standard input; FILE is\n"
    "                replaced in one step, and left untouched when a line is malformed\n"
    "  verify FILE   print \"ok: N entries\", or the first problem of FILE\n"
    "  export FILE   print the project fragment the module hands its host for FILE\n"
    "  --help        print this text\n"
    "  --version     print the version\n"
    "\n"
    "exit status: 0 success, 1 FILE is not a valid file list, 2 usage or input error\n";

std::string Problem(const FileListDecoding& result, std::size_t fileSize) {
  switch (result.problem) {
    case FileListProblem::kNone:
      return "";
    case FileListProblem::kBadMagic:
      return "bad magic";
    case FileListProblem::kUnsupportedVersion:
      return "unsupported version " + std::to_string(result.version);
    case FileListProblem::kTruncatedHeader:
      return "truncated: header of 6 bytes, file has " + std::to_string(fileSize);
    case FileListProblem::kTruncatedCount:
      return "truncated: entry count at byte offset " + std::to_string(result.offset);
    case FileListProblem::kTruncatedEntry:
      return "truncated: entry " + std::to_string(result.entryIndex + 1) + " of " +
             std::to_string(result.entryCount) + " at byte offset " + std::to_string(result.offset);
  }
  return "unknown problem";
}

class Command {
 public:
  Command(std::string file, Streams streams, tolvane::FileSystem& fs)
      : file_(std::move(file)), streams_(streams), fs_(fs) {}

  int Fail(int status, const std::string& message) {
    streams_.err << "tvef: " << file_ << ": " << message << '\n';
    return status;
  }

  // Reads and decodes FILE; on failure returns the exit status, having reported it.
  int Read(FileEntryList& list) {
    auto file = fs_.OpenForReading(file_);
    if (file == nullptr) return Fail(kExitUsage, "cannot be opened for reading");
    std::vector<uint8_t> bytes;
    if (!tolvane::ReadToEnd(*file, bytes)) return Fail(kExitUsage, "cannot be read");
    const FileListDecoding result = tolvane::DecodeFileList(bytes, list);
    if (!result.ok()) return Fail(kExitInvalidFile, Problem(result, bytes.size()));
    return kExitSuccess;
  }

  int Finish() {
    streams_.out.flush();
    if (!streams_.out) return Fail(kExitUsage, "cannot write standard output");
    return kExitSuccess;
  }

  int Dump() {
    FileEntryList list;
    if (int status = Read(list); status != kExitSuccess) return status;
    for (const tolvane::FileEntry& entry : list) {
      streams_.out << FormatEntryLine(tolvane::NameOf(entry), entry.flags) << '\n';
    }
    return Finish();
  }

  int Verify() {
    FileEntryList list;
    if (int status = Read(list); status != kExitSuccess) return status;
    streams_.out << "ok: " << list.count << (list.count == 1 ? " entry" : " entries") << '\n';
    return Finish();
  }

  int Export() {
    FileEntryList list;
    if (int status = Read(list); status != kExitSuccess) return status;
    streams_.out << tolvane::ProjectFragment(list, "\n");
    return Finish();
  }

  int Create() {
    const std::string input(std::istreambuf_iterator<char>(streams_.in), {});
    if (streams_.in.bad()) return Fail(kExitUsage, "cannot read standard input");
    FileEntryList list;
    std::size_t lineNumber = 0;
    for (std::size_t start = 0; start < input.size();) {
      std::size_t end = input.find('\n', start);
      if (end == std::string::npos) end = input.size();
      ++lineNumber;
      std::string name;
      uint8_t flags = 0;
      std::string problem;
      const std::string_view line = std::string_view(input).substr(start, end - start);
      if (!ParseEntryLine(line, name, flags, problem)) {
        return Fail(kExitUsage, "line " + std::to_string(lineNumber) + ": " + problem);
      }
      tolvane::AppendEntry(list, name, flags);
      start = end + 1;
    }
    std::vector<uint8_t> bytes;
    tolvane::EncodeFileList(list, bytes);
    if (!tolvane::ReplaceFileContents(fs_, file_, bytes)) {
      return Fail(kExitUsage, "cannot be written (left as it was)");
    }
    return kExitSuccess;
  }

 private:
  std::string file_;
  Streams streams_;
  tolvane::FileSystem& fs_;
};

int UsageError(Streams streams, const std::string& message) {
  streams.err << "tvef: " << message << "\nTry 'tvef --help'.\n";
  return kExitUsage;
}

}  // namespace

int RunTvef(const std::vector<std::string>& args, Streams streams, tolvane::FileSystem& fs) {
  if (args.size() == 1 && args[0] == "--help") {
    streams.out << kUsage;
    return kExitSuccess;
  }
  if (args.size() == 1 && args[0] == "--version") {
    streams.out << kVersionText << '\n';
    return kExitSuccess;
  }
  if (args.empty()) return UsageError(streams, "no command given");
  const std::string& name = args[0];
  const bool known = name == "dump" || name == "create" || name == "verify" || name == "export";
  if (!known) return UsageError(streams, "unknown command '" + name + "'");
  if (args.size() != 2) return UsageError(streams, name + " takes exactly one FILE");
  Command command(args[1], streams, fs);
  if (name == "dump") return command.Dump();
  if (name == "create") return command.Create();
  if (name == "verify") return command.Verify();
  return command.Export();
}

}  // namespace tvef
