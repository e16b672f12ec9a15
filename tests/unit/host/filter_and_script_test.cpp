// The Find lists' filtering and the script mode's command parsing.
#include <gtest/gtest.h>

#include "ctags_tag.h"
#include "script.h"
#include "text_filter.h"
#include "workspace_file.h"

namespace tolvane::host {
namespace {

TEST(TextFilter, CaseInsensitiveSubstring) {
  EXPECT_TRUE(ContainsIgnoringCase("FileEntryList.h", "entryl"));
  EXPECT_TRUE(ContainsIgnoringCase("abc", ""));
  EXPECT_FALSE(ContainsIgnoringCase("abc", "abcd"));
  EXPECT_FALSE(ContainsIgnoringCase("", "a"));
  EXPECT_FALSE(ContainsIgnoringCase("a_b", "a-b"));
}

TEST(TextFilter, FilesMatchOnTheirNameNotTheirFolder) {
  std::vector<WorkspaceFile> files{{"src/Main.cpp"}, {"main/readme.txt"}, {"tools/domain.h"}};
  EXPECT_EQ(FilterFiles(files, "MAIN"), (std::vector<uint32_t>{0, 2}));
  EXPECT_EQ(FilterFiles(files, "").size(), 3u);
  EXPECT_TRUE(FilterFiles(files, "zzz").empty());
}

TEST(TextFilter, TagsMatchParentAndNameTogether) {
  std::vector<CtagsTag> tags(3);
  tags[0].name = "Open";
  tags[0].parent = "EditorDocument";
  tags[1].name = "OpenFile";
  tags[1].parent = "ItemOperations";
  tags[2].name = "open_file";
  EXPECT_EQ(FilterTags(tags, "", "open"), (std::vector<uint32_t>{0, 1, 2}));
  EXPECT_EQ(FilterTags(tags, "item", "open"), (std::vector<uint32_t>{1}));
  EXPECT_EQ(FilterTags(tags, "doc", ""), (std::vector<uint32_t>{0}));
  EXPECT_TRUE(FilterTags(tags, "x", "open").empty());
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
