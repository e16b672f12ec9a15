// tvef's one-line form of names and entries.
#include "tvef/name_escape.h"

#include <gtest/gtest.h>

#include <string>

#include "tvef/entry_line.h"

namespace tvef {
namespace {

TEST(NameEscape, EscapesBackslashAndControlBytesOnly) {
  EXPECT_EQ(EscapeName("src\\a b.cpp"), "src\\\\a b.cpp");
  EXPECT_EQ(EscapeName("\t\n\r"), "\\t\\n\\r");
  EXPECT_EQ(EscapeName(std::string("\x00\x1f\x7f", 3)), "\\x00\\x1f\\x7f");
  EXPECT_EQ(EscapeName("\xe9t\xc3\xa9 \"&<>"), "\xe9t\xc3\xa9 \"&<>");
}

TEST(NameEscape, EveryByteSurvivesTheRoundTrip) {
  std::string all;
  for (int byte = 0; byte < 256; ++byte) all += char(byte);
  std::string back, problem;
  ASSERT_TRUE(UnescapeName(EscapeName(all), back, problem)) << problem;
  EXPECT_EQ(back, all);
}

TEST(NameEscape, AcceptsUpperCaseHexAndRejectsMalformedEscapes) {
  std::string name, problem;
  ASSERT_TRUE(UnescapeName("\\x1F\\x7f", name, problem));
  EXPECT_EQ(name, "\x1f\x7f");
  for (const char* bad : {"a\\", "\\q", "\\x", "\\x1", "\\xg0", "tab\there"}) {
    problem.clear();
    EXPECT_FALSE(UnescapeName(bad, name, problem)) << bad;
    EXPECT_FALSE(problem.empty()) << bad;
  }
}

TEST(EntryLine, FormatsFlagsTabAndEscapedName) {
  EXPECT_EQ(FormatEntryLine("a\tb", 0xFF), "3\ta\\tb");
  EXPECT_EQ(FormatEntryLine("", 0), "0\t");
}

TEST(EntryLine, ParsesItsOwnFormAndACrLfLineEnd) {
  std::string name;
  uint8_t flags = 0;
  std::string problem;
  ASSERT_TRUE(ParseEntryLine("2\tdir\\\\x.h\r", name, flags, problem)) << problem;
  EXPECT_EQ(name, "dir\\x.h");
  EXPECT_EQ(flags, 2);
  ASSERT_TRUE(ParseEntryLine("1\t", name, flags, problem));
  EXPECT_EQ(name, "");
}

TEST(EntryLine, RejectsWhatItCannotStoreFaithfully) {
  std::string name;
  uint8_t flags = 0;
  std::string problem;
  for (const char* bad : {"", "1", "1 a.cpp", "4\ta.cpp", "x\ta", "10\ta", "-1\ta"}) {
    EXPECT_FALSE(ParseEntryLine(bad, name, flags, problem)) << bad;
  }
  EXPECT_TRUE(ParseEntryLine("0\t" + std::string(65535, 'n'), name, flags, problem));
  EXPECT_FALSE(ParseEntryLine("0\t" + std::string(65536, 'n'), name, flags, problem));
  EXPECT_NE(problem.find("65535"), std::string::npos);
}

}  // namespace
}  // namespace tvef
