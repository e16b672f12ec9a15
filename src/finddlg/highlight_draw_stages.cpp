#include "finddlg/highlight_draw_stages.h"

namespace tolvane {

bool HighlightDrawStages::ForDialog(uint32_t stage) const {
  if (stage == kDrawItemPrepaint) return dialogWantsItems_;
  if (stage == kDrawSubitemPrepaint) return dialogWantsSubitems_;
  // Later stages (post-paint, erase) come only when the dialog asked for them: the list asks for
  // none.
  return true;
}

uint32_t HighlightDrawStages::Answer(uint32_t stage, uint32_t dialogAnswer, bool cellDrawn) {
  const bool skipped = (dialogAnswer & kAnswerSkipDefault) != 0;
  switch (stage) {
    case kDrawPrepaint:
      dialogWantsItems_ = (dialogAnswer & kAnswerNotifyParts) != 0;
      return skipped ? dialogAnswer : dialogAnswer | kAnswerNotifyParts;
    case kDrawItemPrepaint:
      dialogWantsSubitems_ = (dialogAnswer & kAnswerNotifyParts) != 0;
      return skipped ? dialogAnswer : dialogAnswer | kAnswerNotifyParts;
    case kDrawSubitemPrepaint:
      // The list's drawing takes the place of the list view's; a post-paint the dialog asked
      // for still comes.
      return cellDrawn ? kAnswerSkipDefault | (dialogAnswer & kAnswerNotifyPostpaint)
                       : dialogAnswer;
    default:
      return dialogAnswer;
  }
}

}  // namespace tolvane
