// A Find list that highlights matches draws its highlighted cells itself, in the list view's
// custom draw, which the host's dialog may use as well (to colour rows, say). The list asks the
// list view for the item and subitem stages it needs; the dialog still sees every stage it asked
// for and no other, and what it answers stands: an item or cell it skips or draws itself stays
// its own, and the list adds only the requests it needs to what the dialog asked.
#pragma once

#include <cstdint>

namespace tolvane {

// Stages and answers of the list view's custom draw (NM_CUSTOMDRAW).
inline constexpr uint32_t kDrawPrepaint = 0x1;     // CDDS_PREPAINT
inline constexpr uint32_t kDrawItem = 0x10000;     // CDDS_ITEM
inline constexpr uint32_t kDrawSubitem = 0x20000;  // CDDS_SUBITEM
inline constexpr uint32_t kDrawItemPrepaint = kDrawItem | kDrawPrepaint;
inline constexpr uint32_t kDrawSubitemPrepaint = kDrawSubitem | kDrawItemPrepaint;
inline constexpr uint32_t kAnswerSkipDefault = 0x4;       // CDRF_SKIPDEFAULT
inline constexpr uint32_t kAnswerNotifyPostpaint = 0x10;  // CDRF_NOTIFYPOSTPAINT
// CDRF_NOTIFYITEMDRAW at the paint's stage, CDRF_NOTIFYSUBITEMDRAW at an item's: the same bit.
inline constexpr uint32_t kAnswerNotifyParts = 0x20;

class HighlightDrawStages {
 public:
  // Whether the dialog is to see `stage`: all but the item and subitem stages it did not ask for.
  bool ForDialog(uint32_t stage) const;
  // Whether the list may draw the cell of a subitem stage itself, given the dialog's answer.
  static bool MayDrawCell(uint32_t dialogAnswer) {
    return (dialogAnswer & kAnswerSkipDefault) == 0;
  }
  // The answer to the list view for `stage`: `dialogAnswer` is the dialog's (0, drawing as usual,
  // when it did not see the stage) and `cellDrawn` whether the list drew a subitem stage's cell.
  uint32_t Answer(uint32_t stage, uint32_t dialogAnswer, bool cellDrawn);

 private:
  bool dialogWantsItems_ = false;
  bool dialogWantsSubitems_ = false;
};

}  // namespace tolvane
