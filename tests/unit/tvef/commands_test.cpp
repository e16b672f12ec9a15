// The tvef commands run in full over real files in a temporary directory.
#include "tvef/commands.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "support/faulty_file_system.h"
#include "support/temp_directory.h"

namespace tvef {
namespace {

using tolvane::testing::FaultyFileSystem;
using tolvane::testing::FileExists;
using tolvane::testing::FileFault;
using tolvane::testing::ReadBytes;
using tolvane::testing::WriteBytes;
using Bytes = std::vector<uint8_t>;

const Bytes kAbcFile = {'T',  'V',  'E',  'F',  0x01, 0x00, 0x81, 0x40,
                        0x20, 0x10, 0x09, 0x07, 0x02, 0x60, 0xE2, 0x23};

class TvefCommands : public ::testing::Test {
 protected:
  tolvane::testing::TempDirectory dir;
  std::string file = dir.File("list.tvef");
  FaultyFileSystem fs{tolvane::NativeFileSystem()};
  std::string out, err;

  int Run(std::vector<std::string> args, const std::string& input = "") {
    std::istringstream in(input);
    std::ostringstream outStream, errStream;
    const int status = RunTvef(args, {in, outStream, errStream}, fs);
    out = outStream.str();
    err = errStream.str();
    return status;
  }
};

TEST_F(TvefCommands, DumpVerifyAndExportTheExampleFile) {
  WriteBytes(file, kAbcFile);
  EXPECT_EQ(Run({"dump", file}), 0);
  EXPECT_EQ(out, "1\tabc\n");
  EXPECT_EQ(Run({"verify", file}), 0);
  EXPECT_EQ(out, "ok: 1 entry\n");
  EXPECT_EQ(Run({"export", file}), 0);
  EXPECT_EQ(out, "<Files>\n\t<File RelativePath=\"abc\"/>\n</Files>\n");
  EXPECT_EQ(err, "");
  // Reading commands never write, rename or delete anything.
  for (const std::string& op : fs.operations) EXPECT_EQ(op.rfind("open-read ", 0), 0u) << op;
  EXPECT_EQ(ReadBytes(file), kAbcFile);
}

TEST_F(TvefCommands, CreateWritesTheExactBytesAndDumpThenCreateReproducesAFile) {
  EXPECT_EQ(Run({"create", file}, "1\tabc\n"), 0);
  EXPECT_EQ(ReadBytes(file), kAbcFile);

  // Every byte's escape is checked with the names; here the whole file goes round.
  const std::string lines = "3\tsrc\\\\a.cpp\r\n0\t\n2\t\xe9 \\x01\\x7f\\t\\r\\n\n";
  ASSERT_EQ(Run({"create", file}, lines), 0) << err;
  const Bytes first = ReadBytes(file);
  ASSERT_EQ(Run({"dump", file}), 0);
  const std::string dumped = out;
  const std::string second = dir.File("again.tvef");
  ASSERT_EQ(Run({"create", second}, dumped), 0) << err;
  EXPECT_EQ(ReadBytes(second), first);
  EXPECT_EQ(Run({"verify", second}), 0);
  EXPECT_EQ(out, "ok: 3 entries\n");
}

TEST_F(TvefCommands, EmptyInputCreatesAnEmptyList) {
  EXPECT_EQ(Run({"create", file}, ""), 0);
  EXPECT_EQ(ReadBytes(file), (Bytes{'T', 'V', 'E', 'F', 1, 0, 0x80, 0x40, 0x20, 0x10}));
  EXPECT_EQ(Run({"export", file}), 0);
  EXPECT_EQ(out, "<Files>\n</Files>\n");
}

TEST_F(TvefCommands, AMalformedLineIsReportedWithItsNumberAndTheFileIsUntouched) {
  WriteBytes(file, kAbcFile);
  EXPECT_EQ(Run({"create", file}, "1\ta.cpp\n0\tb.h\n7\tc.rc\n"), 2);
  EXPECT_EQ(err, "tvef: " + file + ": line 3: flags value '7' is not 0, 1, 2 or 3\n");
  EXPECT_EQ(ReadBytes(file), kAbcFile);
  EXPECT_FALSE(FileExists(file + ".new"));
}

TEST_F(TvefCommands, ACreateThatCannotWriteLeavesTheFileAsItWas) {
  WriteBytes(file, kAbcFile);
  fs.Fail(FileFault::kRename);
  EXPECT_EQ(Run({"create", file}, "0\tother\n"), 2);
  EXPECT_NE(err.find("cannot be written"), std::string::npos);
  EXPECT_EQ(ReadBytes(file), kAbcFile);
}

TEST_F(TvefCommands, VerifyNamesTheFirstProblem) {
  struct Case {
    Bytes bytes;
    std::string message;
  };
  Bytes lower = kAbcFile;
  lower[0] = 't';
  Bytes version = kAbcFile;
  version[4] = 2;
  Bytes cut = kAbcFile;
  cut.resize(cut.size() - 1);
  const std::vector<Case> cases = {
      {lower, "bad magic"},
      {version, "unsupported version 2"},
      {cut, "truncated: entry 1 of 1 at byte offset 10"},
      {Bytes{'T', 'V', 'E', 'F', 1, 0, 0x80}, "truncated: entry count at byte offset 6"},
      {Bytes{'T', 'V'}, "truncated: header of 6 bytes, file has 2"},
  };
  for (const Case& c : cases) {
    WriteBytes(file, c.bytes);
    for (const char* command : {"verify", "dump", "export"}) {
      EXPECT_EQ(Run({command, file}), 1) << command;
      EXPECT_EQ(out, "") << command;
      EXPECT_EQ(err, "tvef: " + file + ": " + c.message + "\n") << command;
    }
    EXPECT_EQ(ReadBytes(file), c.bytes);  // an invalid file is reported, never moved
  }
}

TEST_F(TvefCommands, AMissingFileIsAnInputError) {
  EXPECT_EQ(Run({"verify", dir.File("absent.tvef")}), 2);
  EXPECT_EQ(err, "tvef: " + dir.File("absent.tvef") + ": cannot be opened for reading\n");
}

TEST_F(TvefCommands, UsageHelpAndVersion) {
  EXPECT_EQ(Run({"--help"}), 0);
  EXPECT_NE(out.find("usage: tvef COMMAND FILE"), std::string::npos);
  EXPECT_EQ(Run({"--version"}), 0);
  EXPECT_EQ(out, "tvef 1.0.0\n");
  for (const std::vector<std::string>& args : std::vector<std::vector<std::string>>{
           {}, {"frob", file}, {"dump"}, {"dump", file, file}, {"--help", "x"}}) {
    EXPECT_EQ(Run(args), 2);
    EXPECT_EQ(out, "");
    EXPECT_EQ(err.rfind("tvef: ", 0), 0u);
  }
}

}  // namespace
}  // namespace tvef
