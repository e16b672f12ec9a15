// CWnd's own windows: created as hidden children, destroyed with the object or the parent.
#include "framework/window.h"

#include <gtest/gtest.h>

#include <memory>

#include "harness/test_dialog.h"

namespace tolvane {
namespace {

using testing::TestDialog;

class RecordingWnd : public CWnd {
 public:
  bool* destroyed = nullptr;

 protected:
  LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
    if (message == WM_DESTROY && destroyed != nullptr) *destroyed = true;
    return Default(message, wParam, lParam);
  }
};

TEST(Window, CreatesAHiddenChildWithTheGivenIdentifier) {
  TestDialog parent;
  RecordingWnd window;
  ASSERT_TRUE(window.CreateChild(parent.Handle(), "", 0, RECT{0, 0, 0, 0}, 7));

  EXPECT_TRUE(::IsWindow(window.Handle()));
  EXPECT_EQ(window.Parent(), parent.Handle());
  EXPECT_EQ(window.ControlId(), 7);
  EXPECT_FALSE(::IsWindowVisible(window.Handle()));
  EXPECT_EQ(CWnd::FromHandle(window.Handle()), &window);
}

TEST(Window, DestroyLeavesTheObjectWithoutAWindow) {
  TestDialog parent;
  RecordingWnd window;
  bool destroyed = false;
  window.destroyed = &destroyed;
  ASSERT_TRUE(window.CreateChild(parent.Handle(), "", 0, RECT{0, 0, 0, 0}, 0));
  HWND hwnd = window.Handle();

  EXPECT_TRUE(window.Destroy());

  EXPECT_TRUE(destroyed);
  EXPECT_EQ(window.Handle(), nullptr);
  EXPECT_FALSE(::IsWindow(hwnd));
  EXPECT_FALSE(window.Destroy());
  // The object can make a window again.
  EXPECT_TRUE(window.CreateChild(parent.Handle(), "", 0, RECT{0, 0, 0, 0}, 0));
}

TEST(Window, DeletingTheObjectDestroysTheWindowItCreated) {
  TestDialog parent;
  auto window = std::make_unique<RecordingWnd>();
  ASSERT_TRUE(window->CreateChild(parent.Handle(), "", 0, RECT{0, 0, 0, 0}, 0));
  HWND hwnd = window->Handle();
  window.reset();
  EXPECT_FALSE(::IsWindow(hwnd));
}

TEST(Window, DestroyingTheParentLeavesTheObjectWithoutAWindow) {
  auto parent = std::make_unique<TestDialog>();
  RecordingWnd window;
  ASSERT_TRUE(window.CreateChild(parent->Handle(), "", 0, RECT{0, 0, 0, 0}, 0));
  parent.reset();
  EXPECT_EQ(window.Handle(), nullptr);
}

TEST(Window, CreatingWithoutAValidParentFails) {
  RecordingWnd window;
  EXPECT_FALSE(window.CreateChild(reinterpret_cast<HWND>(0x1234), "", 0, RECT{0, 0, 0, 0}, 0));
  EXPECT_EQ(window.Handle(), nullptr);
}

}  // namespace
}  // namespace tolvane
