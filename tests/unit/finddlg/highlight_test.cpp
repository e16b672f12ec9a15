// What a highlighting Find list decides without the platform: which bytes of a cell to draw apart,
// and how its custom draw and the dialog's share the list view's stages.
#include <gtest/gtest.h>

#include <array>
#include <string>
#include <utility>
#include <vector>

#include "finddlg/highlight_draw_stages.h"
#include "finddlg/matched_runs.h"

namespace tolvane {
namespace {

using Runs = std::vector<std::pair<uint32_t, uint32_t>>;

Runs MatchedRunsOf(std::string_view query, std::string_view text,
                   FuzzyEncoding encoding = FuzzyEncoding::kSingleByte) {
  std::array<MatchedRun, kMaxMatchedRuns> runs;
  const uint32_t count = FindMatchedRuns(query, text, encoding, runs);
  Runs found;
  for (uint32_t i = 0; i < count; ++i) found.emplace_back(runs[i].begin, runs[i].end);
  return found;
}

TEST(MatchedRuns, AdjacentMatchedCharactersFormOneRunAndAnUnmatchedTextNone) {
  struct Case {
    const char* query;
    const char* text;
    Runs runs;
  };
  const Case cases[] = {
      {"ace", "abcdef", {{0, 1}, {2, 3}, {4, 5}}},
      {"find", "find_dialogs.cpp", {{0, 4}}},
      {"fdc", "find_dialogs.cpp", {{0, 1}, {5, 6}, {13, 14}}},
      {"", "anything", {}},
      {"xyz", "abc", {}},
      {"ba", "abc", {}},  // in order only
  };
  for (const Case& c : cases) EXPECT_EQ(MatchedRunsOf(c.query, c.text), c.runs) << c.query;
}

TEST(MatchedRuns, AUtf8CharacterIsDrawnWholeAndOnlyInUtf8) {
  // "é" is two bytes; the run covers both, and the next matched character joins it.
  EXPECT_EQ(MatchedRunsOf("\xC3\xA9t", "caf\xC3\xA9t", FuzzyEncoding::kUtf8), (Runs{{3, 6}}));
  // In a single-byte code page each byte is a character of its own.
  EXPECT_EQ(MatchedRunsOf("\xA9", "caf\xC3\xA9t"), (Runs{{4, 5}}));
}

// One stage as the list view sends it: what the dialog answers if shown it, whether the list
// drew the cell, and what the test expects.
struct Step {
  uint32_t stage;
  uint32_t dialogAnswer;
  bool cellDrawn;
  bool forDialog;
  uint32_t answer;
};

void PlayStages(const std::vector<Step>& steps) {
  HighlightDrawStages stages;
  for (std::size_t i = 0; i < steps.size(); ++i) {
    const Step& step = steps[i];
    EXPECT_EQ(stages.ForDialog(step.stage), step.forDialog) << "step " << i;
    const uint32_t dialogAnswer = step.forDialog ? step.dialogAnswer : 0;
    EXPECT_EQ(stages.Answer(step.stage, dialogAnswer, step.cellDrawn), step.answer) << "step " << i;
  }
}

constexpr uint32_t kNotify = kAnswerNotifyParts;
constexpr uint32_t kSkip = kAnswerSkipDefault;
constexpr uint32_t kPostpaint = kAnswerNotifyPostpaint;
constexpr uint32_t kItemPostpaint = kDrawItem | 0x2;

TEST(HighlightDrawStages, TheDialogSeesTheStagesItAskedForAndItsAnswersStand) {
  PlayStages({
      // It colours rows: item stages, no subitem ones.
      {kDrawPrepaint, kNotify, false, true, kNotify},
      {kDrawItemPrepaint, 0x2, false, true, 0x2 | kNotify},
      {kDrawSubitemPrepaint, 0, true, false, kSkip},
      // The next row it asks for its cells and a post-paint of the row.
      {kDrawItemPrepaint, kNotify | kPostpaint, false, true, kNotify | kPostpaint},
      {kDrawSubitemPrepaint, kPostpaint, true, true, kSkip | kPostpaint},
      {kDrawSubitemPrepaint, kNotify, false, true, kNotify},
      {kDrawSubitem | kItemPostpaint, 0, false, true, 0},
      {kItemPostpaint, 0, false, true, 0},
      // A row it draws itself gets no subitem stages from the list.
      {kDrawItemPrepaint, kSkip, false, true, kSkip},
      // The next paint it asks for nothing more: it sees only the paint's start, the list draws.
      {kDrawPrepaint, 0, false, true, kNotify},
      {kDrawItemPrepaint, 0, false, false, kNotify},
      {kDrawSubitemPrepaint, 0, true, false, kSkip},  // a highlighted cell
      {kDrawSubitemPrepaint, 0, false, false, 0},     // any other
  });
}

TEST(HighlightDrawStages, APaintTheDialogSkipsStaysSkipped) {
  PlayStages({{kDrawPrepaint, kSkip, false, true, kSkip}});
  EXPECT_FALSE(HighlightDrawStages::MayDrawCell(kSkip | kPostpaint));
  EXPECT_TRUE(HighlightDrawStages::MayDrawCell(kNotify | kPostpaint));
}

}  // namespace
}  // namespace tolvane
