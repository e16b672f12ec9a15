// No exception leaves a procedure of the framework: each one is called by the system's frames,
// through which an exception cannot unwind. What failed answers 0 and the next message works.
#include <gtest/gtest.h>

#include <stdexcept>

#include "framework/combo_box_ex.h"
#include "harness/test_dialog.h"

namespace tolvane {
namespace {

using testing::PumpMessages;
using testing::TestDialog;

constexpr UINT kFailing = WM_USER + 1;
constexpr UINT kAnswered = WM_USER + 2;

class FailingWnd : public CWnd {
 protected:
  LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
    if (message == kFailing) throw std::runtime_error("handler failed");
    if (message == kAnswered) return 7;
    return Default(message, wParam, lParam);
  }
};

TEST(ProcedureExceptions, AFailingHandlerAnswersZeroAndTheWindowGoesOn) {
  TestDialog parent;
  FailingWnd window;
  ASSERT_TRUE(window.CreateChild(parent.Handle(), "", 0, RECT{0, 0, 0, 0}, 0));

  EXPECT_EQ(window.Send(kFailing), 0);
  EXPECT_TRUE(window.Post(kFailing));
  PumpMessages();  // dispatched from the loop, too

  EXPECT_EQ(window.Send(kAnswered), 7);
}

// Pre-translation of the character 'x' fails; every other character is consumed.
class FailingPreTranslation : public CComboBoxEx {
 public:
  bool PreTranslateMessage(MSG& message) override {
    if (message.message != WM_CHAR) return false;
    if (message.wParam == 'x') throw std::runtime_error("routing failed");
    return true;
  }
};

TEST(ProcedureExceptions, AMessageWhosePreTranslationFailsGoesToNormalProcessing) {
  TestDialog dialog;
  dialog.AddCombo(1021);
  FailingPreTranslation combo;
  ASSERT_TRUE(combo.AttachToDialogItem(dialog.Handle(), 1021));

  const HWND edit = ::GetWindow(combo.Handle(), GW_CHILD);
  ::PostMessageA(edit, WM_CHAR, 'x', 0);
  ::PostMessageA(edit, WM_CHAR, 'y', 0);  // consumed: the hook still works
  PumpMessages();

  EXPECT_EQ(testing::WindowText(combo.Handle()), "x");
}

}  // namespace
}  // namespace tolvane
