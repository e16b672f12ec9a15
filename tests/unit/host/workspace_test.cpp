// The host's workspace: scanning a folder, its per-file flags, the project fragment it is handed,
// and the file and tag records the Find lists read.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "file_catalog.h"
#include "filelist/project_fragment.h"
#include "project_fragment.h"
#include "tag_catalog.h"
#include "workspace_model.h"
#include "workspace_scan.h"

namespace tolvane::host {
namespace {

namespace fs = std::filesystem;

class TempFolder {
 public:
  TempFolder() {
    path_ = fs::temp_directory_path() /
            ("tolvane-host-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
             "-" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(path_);
    fs::create_directories(path_);
  }
  ~TempFolder() { fs::remove_all(path_); }
  const fs::path& path() const { return path_; }
  void Write(const fs::path& relative, const std::string& text) const {
    fs::create_directories((path_ / relative).parent_path());
    std::ofstream(path_ / relative, std::ios::binary) << text;
  }

 private:
  fs::path path_;
};

TEST(WorkspaceScan, SkipsHiddenFoldersAndBuildTreesKeepsHiddenFiles) {
  TempFolder root;
  for (const char* file :
       {"src/b.cpp", "src/a.h", ".git/config", ".tolvane/files.tvef", "build/native/CMakeCache.txt",
        "build/native/gen.cpp", "build/notes.txt", ".gitignore"})
    root.Write(file, "");
  root.Write("sub/.git", "gitdir: elsewhere");
  EXPECT_EQ(ScanWorkspace(root.path()),
            (std::vector<std::string>{".gitignore", "build/notes.txt", "src/a.h", "src/b.cpp"}));
}

TEST(WorkspaceScan, MissingFolderGivesNothing) {
  EXPECT_TRUE(ScanWorkspace(fs::temp_directory_path() / "tolvane-host-no-such-folder").empty());
}

TEST(WorkspaceModel, ReadsTheFragmentBeforeTheModuleDeletesIt) {
  TempFolder root;
  WorkspaceModel workspace(root.path());
  EXPECT_STREQ(workspace.FileListPath(),
               (root.path() / ".tolvane" / "files.tvef").string().c_str());
  EXPECT_EQ(workspace.ProjectFileCount(), -1);
  root.Write("p.vcproj",
             "<Files>\r\n\t<File RelativePath=\"a.cpp\"/>\r\n"
             "\t<File RelativePath=\"x&quot;y&amp;z\"/>\r\n"
             "</Files>\r\n");
  workspace.LoadProjectFile((root.path() / "p.vcproj").string().c_str());
  EXPECT_EQ(workspace.ProjectFileCount(), 2);
  // The project's files get per-file objects the module can then flag.
  EXPECT_NE(workspace.FileEntrySet()->Find("x\"y&z"), nullptr);
  EXPECT_NE(workspace.FileEntrySet()->Find("a.cpp"), nullptr);
  EXPECT_EQ(workspace.Flags().Size(), 2u);
  workspace.LoadProjectFile((root.path() / "gone.vcproj").string().c_str());
  EXPECT_EQ(workspace.ProjectFileCount(), -1);
}

// The contract between the module's writer and the host's reader: the names the module lists,
// awkward ones included, are the names the host registers.
TEST(ProjectFragment, TheHostReadsBackTheNamesOfTheModulesFragment) {
  const std::vector<std::string> names{"a&b.cpp",         "x\"y.h",       "<tmp>.c",  "&amp;.cpp",
                                       "odd \"/> name.h", "it's [1].cpp", "plain.cpp"};
  FileEntryList list;
  for (const std::string& name : names) ASSERT_TRUE(list.AppendText(name.c_str(), kFileInProject));
  ASSERT_TRUE(list.AppendText("outside.h", 0));
  for (const char* lineEnd : {"\n", "\r\n"}) {
    EXPECT_EQ(ReadFragmentFiles(tolvane::ProjectFragment(list, lineEnd)), names);
  }
  EXPECT_TRUE(ReadFragmentFiles("<Files>\n</Files>\n").empty());
}

TEST(WorkspaceModel, FlagsAreFoundByExactName) {
  WorkspaceModel workspace("ws");
  auto& flags = workspace.Flags();
  flags.Add("src/a.cpp");
  HostFileEntrySet* set = workspace.FileEntrySet();
  HostFileEntry* entry = set->Find("src/a.cpp");
  ASSERT_NE(entry, nullptr);
  EXPECT_FALSE(entry->FirstFlag());
  entry->SetFirstFlag(true);
  entry->SetSecondFlag(true);
  EXPECT_TRUE(flags.Get("src/a.cpp")->SecondFlag());
  EXPECT_TRUE(set->Find("src/a.cpp")->FirstFlag());
  EXPECT_EQ(set->Find("SRC/A.CPP"), nullptr);
  EXPECT_EQ(set->Find(nullptr), nullptr);  // the empty name, which no file has
}

TEST(FileCatalog, RecordsSplitTitleExtensionAndFolder) {
  FileEntryList list;
  ASSERT_TRUE(FillFileEntryList({"src/main.cpp", "Makefile", "tools/.gitignore", "a.b/c"}, list));
  ASSERT_EQ(list.count, 4u);
  EXPECT_EQ(list.head->entry.flags, kFileInProject);
  FileCatalog catalog;
  catalog.Assign(list);
  HostFileSource& source = catalog;
  // A record's texts stay valid while it lives, through later calls on it and on other records.
  HostFileRecord* record = source.Record(0);
  const char* title = record->Title();
  const char* extension = record->Extension();
  const char* path = record->Path();
  source.Record(1)->Title();
  EXPECT_STREQ(title, "main");
  EXPECT_STREQ(extension, "cpp");
  EXPECT_STREQ(path, "src");
  EXPECT_STREQ(source.Record(1)->Extension(), "");
  EXPECT_STREQ(source.Record(1)->Path(), "");
  EXPECT_STREQ(source.Record(2)->Title(), "");
  EXPECT_STREQ(source.Record(2)->Extension(), "gitignore");
  EXPECT_STREQ(source.Record(3)->Title(), "c");  // a dot in a folder is no extension
  EXPECT_STREQ(source.Record(3)->Extension(), "");
  EXPECT_STREQ(source.Record(99)->Title(), "");  // unknown keys get an empty record, never null
}

TEST(TagCatalog, ResolvesFilesAgainstTheFolderThatHoldsThem) {
  TempFolder root;
  root.Write("src/a.cpp", "");
  root.Write(".tolvane/b.cpp", "");
  auto tags = ParseTagsText(
      "A\tsrc/a.cpp\t/^A$/;\"\tv\nB\tb.cpp\t/^B$/;\"\tv\nC\tnowhere.cpp\t/^C$/;\"\tv\n");
  TagCatalog catalog;
  const fs::path state = root.path() / ".tolvane";
  catalog.Assign(tags, {state, root.path()});
  EXPECT_EQ(catalog.Record(0)->FileName(), (root.path() / "src" / "a.cpp").string());
  EXPECT_EQ(catalog.Record(1)->FileName(), (state / "b.cpp").string());
  EXPECT_EQ(catalog.Record(2)->FileName(), (state / "nowhere.cpp").string());
}

TEST(TagCatalog, ResolvesFilesLinksParentsAndWithholdsLines) {
  auto tags = ParseTagsText(
      "Shape\t../src/shape.h\t/^class Shape {$/;\"\tclass\tline:3\tnamespace:geo\n"
      "Area\t../src/shape.h\t/^  int Area();$/;\"\tprototype\tline:5\tclass:geo::Shape\n"
      "main\t/abs/main.cpp\t/^int main()$/;\"\tfunction\tline:1\n");
  TagCatalog catalog;
  catalog.Assign(tags, {fs::path("ws") / ".tolvane"});
  ASSERT_EQ(catalog.Size(), 3u);
  HostTagRecord* area = catalog.Record(1);
  EXPECT_EQ(std::string(area->FileName()), (fs::path("ws") / "src" / "shape.h").string());
  EXPECT_EQ(area->Parent(), catalog.Record(0));
  EXPECT_EQ(catalog.Record(0)->Parent(), nullptr);
  EXPECT_EQ(std::string(area->ParentName()), "Shape");
  EXPECT_EQ(std::string(area->Namespace()), "geo");
  EXPECT_STREQ(area->File()->Title(), "shape");
  EXPECT_STREQ(area->File()->Extension(), "h");
  EXPECT_EQ(area->File(), catalog.Record(0)->File());  // one file record per file
  EXPECT_EQ(area->Line(), 5);
  EXPECT_EQ(catalog.Record(1)->WithoutLine().Line(), -1);
  EXPECT_EQ(std::string(catalog.Record(1)->WithoutLine().Pattern()), "^  int Area();$");
  EXPECT_EQ(catalog.FirstNamed("main"), 2u);
  EXPECT_FALSE(catalog.FirstNamed("Main"));
}

}  // namespace
}  // namespace tolvane::host
