// The Find lists' ranking and the script mode's command parsing.
#include <gtest/gtest.h>

#include "ctags_tag.h"
#include "row_ranking.h"
#include "script.h"
#include "workspace_file.h"

namespace tolvane::host {
namespace {

TEST(RowRanking, FilesAreRankedByTheirNameNotTheirFolder) {
  std::vector<WorkspaceFile> files{{"src/Main.cpp"}, {"main/readme.txt"}, {"tools/domain.h"}};
  FileRanking ranking;
  ranking.Assign(files, FuzzyEncoding::kSingleByte);
  EXPECT_EQ(ranking.Rank("main"), (std::vector<uint32_t>{0, 2}));  // a start beats a middle
  EXPECT_EQ(ranking.Rank("mcp"), (std::vector<uint32_t>{0}));      // not necessarily adjacent
  EXPECT_EQ(ranking.Rank("").size(), 3u);
  EXPECT_TRUE(ranking.Rank("zzz").empty());
  // A line number typed after the name, or its ':' alone, is no part of the query.
  EXPECT_EQ(ranking.Rank("mcp:12"), (std::vector<uint32_t>{0}));
  EXPECT_EQ(ranking.Rank("main:"), (std::vector<uint32_t>{0, 2}));
}

TEST(RowRanking, TagsMatchParentAndNameTogether) {
  std::vector<CtagsTag> tags(3);
  tags[0].name = "Open";
  tags[0].parent = "EditorDocument";
  tags[1].name = "OpenFile";
  tags[1].parent = "ItemOperations";
  tags[2].name = "open_file";
  TagRanking ranking;
  ranking.Assign(tags, FuzzyEncoding::kSingleByte);
  EXPECT_EQ(ranking.Rank("", "open"), (std::vector<uint32_t>{0, 1, 2}));  // shorter first
  EXPECT_EQ(ranking.Rank("item", "open"), (std::vector<uint32_t>{1}));
  EXPECT_EQ(ranking.Rank("edoc", ""), (std::vector<uint32_t>{0}));
  EXPECT_TRUE(ranking.Rank("x", "open").empty());
  EXPECT_EQ(ranking.Rank("", "OF"), (std::vector<uint32_t>{1}));  // smart case
}

TEST(Script, ParsesEveryCommand) {
  auto parsed = ParseScript(
      "# a tour\n"
      "find-file\n"
      "type  two words \n"
      "key down\n"
      "key end ctrl\n"
      "screenshot find-file\n"
      "goto-tag Main\n"
      "goto-tag Main by-pattern\n"
      "column 1 250\n"
      "\n"
      "close\r\n"
      "find-tag\n"
      "key f5\n"
      "focus parent\n"
      "quit\n");
  ASSERT_TRUE(parsed.errors.empty()) << parsed.errors[0];
  ASSERT_EQ(parsed.commands.size(), 13u);
  EXPECT_EQ(parsed.commands[0].kind, CommandKind::kFindFile);
  EXPECT_EQ(parsed.commands[1].kind, CommandKind::kType);
  EXPECT_EQ(parsed.commands[1].text, " two words");  // one separating space, the rest kept
  EXPECT_EQ(parsed.commands[2].virtualKey, 0x28u);
  EXPECT_FALSE(parsed.commands[2].ctrl);
  EXPECT_EQ(parsed.commands[3].virtualKey, 0x23u);
  EXPECT_TRUE(parsed.commands[3].ctrl);
  EXPECT_EQ(parsed.commands[4].text, "find-file.png");
  EXPECT_EQ(parsed.commands[5].text, "Main");
  EXPECT_FALSE(parsed.commands[5].byPattern);
  EXPECT_TRUE(parsed.commands[6].byPattern);
  EXPECT_EQ(parsed.commands[7].column, 1);
  EXPECT_EQ(parsed.commands[7].width, 250);
  EXPECT_EQ(parsed.commands[8].kind, CommandKind::kClose);
  EXPECT_EQ(parsed.commands[8].source, "close");
  EXPECT_EQ(parsed.commands[10].virtualKey, 0x74u);
  EXPECT_EQ(parsed.commands[11].kind, CommandKind::kFocus);
  EXPECT_EQ(parsed.commands[11].text, "parent");
  EXPECT_EQ(parsed.commands[12].kind, CommandKind::kQuit);
}

TEST(Script, KeyNames) {
  const std::pair<const char*, uint32_t> keys[] = {{"down", 0x28},  {"up", 0x26},    {"pgdn", 0x22},
                                                   {"pgup", 0x21},  {"home", 0x24},  {"end", 0x23},
                                                   {"left", 0x25},  {"right", 0x27}, {"f5", 0x74},
                                                   {"enter", 0x0D}, {"escape", 0x1B}};
  for (auto [name, code] : keys) EXPECT_EQ(VirtualKeyOfName(name), code) << name;
  EXPECT_EQ(VirtualKeyOfName("Down"), 0u);
  EXPECT_EQ(VirtualKeyOfName("tab"), 0u);
}

TEST(Script, ReportsEveryBadLineWithItsNumber) {
  auto parsed = ParseScript(
      "find-file now\nkey tab\nkey down shift\nscreenshot ../evil\nscreenshot\n"
      "goto-tag\ngoto-tag a b\ncolumn x 3\nfly\ntype\nfocus list\n");
  ASSERT_EQ(parsed.errors.size(), 11u);
  EXPECT_EQ(parsed.errors[0], "line 1: find-file takes no argument");
  EXPECT_EQ(parsed.errors[1], "line 2: unknown key 'tab'");
  EXPECT_EQ(parsed.errors[8], "line 9: unknown command 'fly'");
  EXPECT_TRUE(parsed.commands.empty());
}

}  // namespace
}  // namespace tolvane::host
