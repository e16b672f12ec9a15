// Entries 9-12 of the real module over a host workspace and real files: the host's lists and
// the module's share one heap, the file-list file is written and read back, and unreadable or
// unwritable files are handled without losing data.
#include <fstream>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "module/module_fixture.h"
#include "support/fake_workspace.h"
#include "support/file_entry_list_checks.h"
#include "support/temp_directory.h"

namespace tolvane::testing {
namespace {

using EntryList = std::vector<std::pair<std::string, uint8_t>>;

class FileList : public ModuleTest {
 protected:
  FileList() : workspace(directory.File("workspace.tvef")) {
    table = module.Create(ide.RootDispatch(), &workspace);
  }
  ~FileList() override { module.Destroy(table); }

  bool Load(uint8_t exportToHost = 0) {
    return Entry<LoadFileListFn>(table, kLoadFileList)(exportToHost);
  }
  bool Save() { return Entry<SaveFileListFn>(table, kSaveFileList)(); }
  void Get(FileEntryList& destination) { Entry<GetFileListFn>(table, kGetFileList)(&destination); }
  void Set(FileEntryList& source) { Entry<SetFileListFn>(table, kSetFileList)(&source); }
  EntryList ModuleEntries() {
    FileEntryList copy;
    Get(copy);
    return Entries(copy);
  }
  static void Fill(FileEntryList& list, const EntryList& entries) {
    for (const auto& [name, flags] : entries) list.AppendText(name.c_str(), flags);
  }
  std::string Path() { return directory.File("workspace.tvef"); }

  TempDirectory directory;
  FakeWorkspace workspace;
  OpsTable* table = nullptr;
};

TEST_F(FileList, SavedListLoadsBackWithItsFlags) {
  FileEntryList hostList;
  Fill(hostList, {{"src\\main.cpp", 1}, {"src\\util.h", 2}, {"readme.txt", 0}});
  Set(hostList);
  ASSERT_TRUE(Save());
  std::vector<uint8_t> bytes = ReadBytes(Path());
  ASSERT_GE(bytes.size(), 6u);
  EXPECT_EQ(std::string(bytes.begin(), bytes.begin() + 4), "TVEF");

  FileEntryList empty;
  Set(empty);
  EXPECT_TRUE(ModuleEntries().empty());
  ASSERT_TRUE(Load());
  EXPECT_EQ(ModuleEntries(),
            (EntryList{{"src\\main.cpp", 1}, {"src\\util.h", 2}, {"readme.txt", 0}}));
}

TEST_F(FileList, CopiesKeepOnlyTheTwoFlagBitsAndLeaveTheSourceAlone) {
  FileEntryList hostList(3);
  Fill(hostList, {{"a", 0xFF}, {"b", 0x04}, {"c", 0x03}, {"d", 1}});
  Set(hostList);
  EXPECT_EQ(Entries(hostList), (EntryList{{"a", 0x03}, {"b", 0}, {"c", 3}, {"d", 1}}));

  FileEntryList destination(2);
  Fill(destination, {{"replaced", 1}});
  Get(destination);
  EXPECT_EQ(Entries(destination), (EntryList{{"a", 3}, {"b", 0}, {"c", 3}, {"d", 1}}));
  EXPECT_EQ(ListShapeProblem(destination), "");
  EXPECT_EQ(destination.blockSize, 2);  // the host's own pool, its own block size
}

TEST_F(FileList, NoFileLoadsAsAnEmptyList) {
  FileEntryList hostList;
  Fill(hostList, {{"stale", 1}});
  Set(hostList);
  EXPECT_TRUE(Load());
  EXPECT_TRUE(ModuleEntries().empty());
  EXPECT_FALSE(FileExists(Path()));
}

TEST_F(FileList, TruncatedFileIsSetAsideAndNothingOfItIsKept) {
  FileEntryList hostList;
  Fill(hostList, {{"first.cpp", 1}, {"second.cpp", 1}});
  Set(hostList);
  ASSERT_TRUE(Save());
  std::vector<uint8_t> bytes = ReadBytes(Path());
  bytes.resize(bytes.size() - 3);
  WriteBytes(Path(), bytes);
  WriteBytes(Path() + ".old", {'o', 'l', 'd'});

  EXPECT_FALSE(Load());

  EXPECT_TRUE(ModuleEntries().empty());
  EXPECT_FALSE(FileExists(Path()));
  EXPECT_EQ(ReadBytes(Path() + ".old"), bytes);  // replaces the older set-aside copy
}

TEST_F(FileList, SavingWhereNoFileCanBeWrittenReportsFalse) {
  FakeWorkspace nowhere(directory.File("missing-directory\\workspace.tvef"));
  module.Destroy(table);
  table = module.Create(ide.RootDispatch(), &nowhere);
  FileEntryList hostList;
  Fill(hostList, {{"a.cpp", 1}});
  Set(hostList);
  EXPECT_FALSE(Save());
}

TEST_F(FileList, LoadingWithExportHandsTheHostAnEscapedProjectFileAndSetsItsFlags) {
  FileEntryList hostList;
  Fill(hostList, {{"a&b.cpp", 1}, {"plain.cpp", 0}});
  Set(hostList);
  ASSERT_TRUE(Save());
  workspace.entrySet.Add("a&b.cpp", false, true);
  workspace.entrySet.Add("plain.cpp", true, true);
  std::string projectPath;
  std::string projectText;
  workspace.onLoadProjectFile = [&](const std::string& path) {
    projectPath = path;
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    projectText = text.str();
  };

  ASSERT_TRUE(Load(1));

  EXPECT_EQ(projectPath, Path() + ".vcproj");
  EXPECT_NE(projectText.find("a&amp;b.cpp"), std::string::npos) << projectText;
  EXPECT_EQ(projectText.find("a&b.cpp"), std::string::npos);
  EXPECT_FALSE(FileExists(projectPath));  // deleted after the host took it in
  EXPECT_TRUE(workspace.entrySet.at("a&b.cpp").first);
  EXPECT_FALSE(workspace.entrySet.at("a&b.cpp").second);
  EXPECT_FALSE(workspace.entrySet.at("plain.cpp").first);
}

// The export byte is a byte, not a C++ truth value: 2, 0x80 and 0xFF ask for the export as 1 does.
TEST_F(FileList, AnyNonZeroExportByteExportsAndZeroDoesNot) {
  FileEntryList hostList;
  Fill(hostList, {{"main.cpp", 1}});
  Set(hostList);
  ASSERT_TRUE(Save());
  int exports = 0;
  workspace.onLoadProjectFile = [&](const std::string&) { ++exports; };
  for (uint8_t value : {uint8_t{2}, uint8_t{0x80}, uint8_t{0xFF}}) {
    const int before = exports;
    ASSERT_TRUE(Load(value));
    EXPECT_EQ(exports, before + 1) << "export byte " << int(value);
  }
  ASSERT_TRUE(Load(0));
  EXPECT_EQ(exports, 3);
}

}  // namespace
}  // namespace tolvane::testing
