// Tags written by Universal Ctags reach the module with the kinds, scopes and patterns it expects.
#include "ctags_tag.h"

#include <gtest/gtest.h>

#include "ctags_kind.h"
#include "tolvane/host_objects.h"

namespace tolvane::host {
namespace {

TEST(CtagsTag, PatternLineKindAndClassScope) {
  auto tag = ParseTagsLine(
      "Area\ta.cpp\t/^int Shape::Area() const { return 0; }$/;\"\tfunction\tline:8\t"
      "class:ns::Shape\ttyperef:typename:int\tsignature:() const");
  ASSERT_TRUE(tag);
  EXPECT_EQ(tag->name, "Area");
  EXPECT_EQ(tag->file, "a.cpp");
  EXPECT_EQ(tag->pattern, "^int Shape::Area() const { return 0; }$");
  EXPECT_EQ(tag->line, 8);
  EXPECT_EQ(tag->kind, kTagFunction);
  EXPECT_EQ(tag->parent, "Shape");
  EXPECT_EQ(tag->nameSpace, "ns");
}

TEST(CtagsTag, NamespaceScopeGivesNoParent) {
  auto tag = ParseTagsLine(
      "Pt\ta.cpp\t/^struct Pt { int x; };$/;\"\tstruct\tline:3\tnamespace:a::b\tfile:");
  ASSERT_TRUE(tag);
  EXPECT_EQ(tag->kind, kTagStruct);
  EXPECT_EQ(tag->parent, "");
  EXPECT_EQ(tag->nameSpace, "a::b");
}

TEST(CtagsTag, ScopeFieldAndEnumScope) {
  auto scoped = ParseTagsLine("w\ta.h\t/^  int w;$/;\"\tkind:member\tline:4\tscope:struct:Pt");
  ASSERT_TRUE(scoped);
  EXPECT_EQ(scoped->kind, kTagMemVar);
  EXPECT_EQ(scoped->parent, "Pt");
  EXPECT_EQ(scoped->nameSpace, "");
  auto enumerator = ParseTagsLine("Red\ta.cpp\t/^enum Color { Red };$/;\"\te\tenum:ns::Color");
  ASSERT_TRUE(enumerator);
  EXPECT_EQ(enumerator->kind, kTagEnumVal);
  EXPECT_EQ(enumerator->parent, "Color");
  EXPECT_EQ(enumerator->nameSpace, "ns");
  EXPECT_EQ(enumerator->line, -1);  // no line field: the module searches the pattern
}

TEST(CtagsTag, EscapesUndoneOtherBackslashesKept) {
  auto tag = ParseTagsLine(
      "path_fn\ta.cpp\t/^int f(char c) { return c == '\\/' ? 1 : '\\n'; } \\/\\/ "
      "a\\/b\\\\c$/;\"\tf");
  ASSERT_TRUE(tag);
  EXPECT_EQ(tag->pattern, "^int f(char c) { return c == '/' ? 1 : '\\n'; } // a/b\\c$");
}

TEST(CtagsTag, BackwardPatternAndTabsInsidePattern) {
  auto tag = ParseTagsLine("g\tb.c\t?^int\tg(void) \\? x$?;\"\tkind:function\tline:2");
  ASSERT_TRUE(tag);
  EXPECT_EQ(tag->pattern, "^int\tg(void) ? x$");
  EXPECT_EQ(tag->line, 2);
}

TEST(CtagsTag, NumberAndCombinedAddresses) {
  auto number = ParseTagsLine("MAX\tm.h\t12;\"\td");
  ASSERT_TRUE(number);
  EXPECT_EQ(number->line, 12);
  EXPECT_EQ(number->pattern, "");
  EXPECT_EQ(number->kind, kTagDefine);
  auto combined = ParseTagsLine("MAX\tm.h\t12;/^#define MAX /;\"\tkind:d\tline:12");
  ASSERT_TRUE(combined);
  EXPECT_EQ(combined->line, 12);
  EXPECT_EQ(combined->pattern, "^#define MAX ");
  auto bare = ParseTagsLine("Old\told.c\t7\tv");  // no ;" at all: not a tags line we can trust
  EXPECT_FALSE(bare);
}

TEST(CtagsTag, RejectsPseudoTagsMalformedLinesAndUnlabelledKinds) {
  EXPECT_FALSE(ParseTagsLine("!_TAG_FILE_FORMAT\t2\t/extended format/"));
  EXPECT_FALSE(ParseTagsLine(""));
  EXPECT_FALSE(ParseTagsLine("name-only"));
  EXPECT_FALSE(ParseTagsLine("x\tf.c\t/^unterminated;\"\tv"));
  EXPECT_FALSE(ParseTagsLine("x\tf.c\t/^int x;$/;\"\tline:3"));      // no kind
  EXPECT_FALSE(ParseTagsLine("x\tf.c\t/^int x;$/;\"\tkind:label"));  // no label for it
  auto noLine = ParseTagsLine("x\tf.c\t/^int x;$/;\"\tv\tline:0");   // line 0 is no line
  ASSERT_TRUE(noLine);
  EXPECT_EQ(noLine->line, -1);
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

TEST(CtagsKind, LettersAndLongNamesAgree) {
  const std::pair<const char*, const char*> pairs[] = {
      {"c", "class"},  {"d", "macro"},   {"e", "enumerator"}, {"f", "function"},
      {"g", "enum"},   {"m", "member"},  {"n", "namespace"},  {"p", "prototype"},
      {"s", "struct"}, {"t", "typedef"}, {"u", "union"},      {"v", "variable"}};
  for (auto [letter, name] : pairs) {
    ASSERT_TRUE(MapCtagsKind(letter)) << letter;
    EXPECT_EQ(MapCtagsKind(letter), MapCtagsKind(name)) << letter;
  }
  EXPECT_EQ(MapCtagsKind("class"), kTagClass);
  EXPECT_EQ(MapCtagsKind("prototype"), kTagDecl);
  EXPECT_EQ(MapCtagsKind("macro"), kTagDefine);
  EXPECT_EQ(MapCtagsKind("enum"), kTagEnum);
  EXPECT_EQ(MapCtagsKind("enumerator"), kTagEnumVal);
  EXPECT_EQ(MapCtagsKind("file"), kTagFile);
  EXPECT_EQ(MapCtagsKind("namespace"), kTagNSpace);
  EXPECT_EQ(MapCtagsKind("typedef"), kTagTypedef);
  EXPECT_EQ(MapCtagsKind("union"), kTagUnion);
  EXPECT_EQ(MapCtagsKind("variable"), kTagVariable);
  EXPECT_FALSE(MapCtagsKind("local"));
  EXPECT_FALSE(MapCtagsKind(""));
}

}  // namespace
}  // namespace tolvane::host
