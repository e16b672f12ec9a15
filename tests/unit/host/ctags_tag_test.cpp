// Tags written by Universal Ctags reach the module with the kinds, scopes and patterns it expects.
#include "ctags_tag.h"

#include <gtest/gtest.h>

#include "ctags_kind.h"
#include "tolvane/host_objects.h"

namespace tolvane::host {
namespace {

TEST(CtagsTag, AddressesKindsAndScopes) {
  const struct {
    const char* what;
    const char* line;
    const char* pattern;
    int32_t lineNumber;
    int32_t kind;
    const char* parent;
    const char* nameSpace;
  } cases[] = {
      {"class scope: its last part is the parent",
       "Area\ta.cpp\t/^int Shape::Area() const { return 0; }$/;\"\tfunction\tline:8\t"
       "class:ns::Shape\ttyperef:typename:int\tsignature:() const",
       "^int Shape::Area() const { return 0; }$", 8, kTagFunction, "Shape", "ns"},
      {"namespace scope gives no parent",
       "Pt\ta.cpp\t/^struct Pt { int x; };$/;\"\tstruct\tline:3\tnamespace:a::b\tfile:",
       "^struct Pt { int x; };$", 3, kTagStruct, "", "a::b"},
      {"scope field and kind field",
       "w\ta.h\t/^  int w;$/;\"\tkind:member\tline:4\tscope:struct:Pt", "^  int w;$", 4, kTagMemVar,
       "Pt", ""},
      {"enum scope, no line field: the module searches the pattern",
       "Red\ta.cpp\t/^enum Color { Red };$/;\"\te\tenum:ns::Color", "^enum Color { Red };$", -1,
       kTagEnumVal, "Color", "ns"},
      {"escaped slashes undone, other backslashes kept",
       "path_fn\ta.cpp\t/^int f(char c) { return c == '\\/' ? 1 : '\\n'; } \\/\\/ "
       "a\\/b\\\\c$/;\"\tf",
       "^int f(char c) { return c == '/' ? 1 : '\\n'; } // a/b\\c$", -1, kTagFunction, "", ""},
      {"backward pattern with a tab inside",
       "g\tb.c\t?^int\tg(void) \\? x$?;\"\tkind:function\tline:2", "^int\tg(void) ? x$", 2,
       kTagFunction, "", ""},
      {"line number address", "MAX\tm.h\t12;\"\td", "", 12, kTagDefine, "", ""},
      {"combined address", "MAX\tm.h\t12;/^#define MAX /;\"\tkind:d\tline:12", "^#define MAX ", 12,
       kTagDefine, "", ""},
      {"line 0 is no line", "x\tf.c\t/^int x;$/;\"\tv\tline:0", "^int x;$", -1, kTagVariable, "",
       ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    const auto tag = ParseTagsLine(c.line);
    ASSERT_TRUE(tag);
    EXPECT_EQ(tag->pattern, c.pattern);
    EXPECT_EQ(tag->line, c.lineNumber);
    EXPECT_EQ(tag->kind, c.kind);
    EXPECT_EQ(tag->parent, c.parent);
    EXPECT_EQ(tag->nameSpace, c.nameSpace);
  }
  const auto first = ParseTagsLine(cases[0].line);
  EXPECT_EQ(first->name, "Area");
  EXPECT_EQ(first->file, "a.cpp");
}

TEST(CtagsTag, RejectsPseudoTagsMalformedLinesAndUnlabelledKinds) {
  for (const char* line :
       {"!_TAG_FILE_FORMAT\t2\t/extended format/", "", "name-only", "x\tf.c\t/^unterminated;\"\tv",
        "Old\told.c\t7\tv",                      // no ;" at all
        "x\tf.c\t/^int x;$/;\"\tline:3",         // no kind
        "x\tf.c\t/^int x;$/;\"\tkind:label"}) {  // no label for it
    EXPECT_FALSE(ParseTagsLine(line)) << line;
  }
}

TEST(CtagsTag, WholeTextSkipsBadLinesAndCarriageReturns) {
  auto tags = ParseTagsText(
      "!_TAG_FILE_SORTED\t1\t//\r\nA\ta.c\t/^int A;$/;\"\tv\tline:1\r\nbad line\r\n"
      "B\tb.c\t/^int B;$/;\"\tv\tline:2");
  ASSERT_EQ(tags.size(), 2u);
  EXPECT_EQ(tags[0].name, "A");
  EXPECT_EQ(tags[1].line, 2);
  EXPECT_EQ(tags[0].pattern, "^int A;$");
}

TEST(CtagsKind, LettersAndLongNamesGiveTheSameKind) {
  const struct {
    const char* letter;
    const char* name;
    int32_t kind;
  } kinds[] = {{"c", "class", kTagClass},        {"d", "macro", kTagDefine},
               {"e", "enumerator", kTagEnumVal}, {"f", "function", kTagFunction},
               {"g", "enum", kTagEnum},          {"m", "member", kTagMemVar},
               {"n", "namespace", kTagNSpace},   {"p", "prototype", kTagDecl},
               {"s", "struct", kTagStruct},      {"t", "typedef", kTagTypedef},
               {"u", "union", kTagUnion},        {"v", "variable", kTagVariable}};
  for (const auto& k : kinds) {
    EXPECT_EQ(MapCtagsKind(k.letter), k.kind) << k.letter;
    EXPECT_EQ(MapCtagsKind(k.name), k.kind) << k.name;
  }
  EXPECT_EQ(MapCtagsKind("file"), kTagFile);
  EXPECT_FALSE(MapCtagsKind("local"));
  EXPECT_FALSE(MapCtagsKind(""));
}

}  // namespace
}  // namespace tolvane::host
