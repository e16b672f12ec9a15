// CWnd's own windows: created as hidden children, destroyed with the object or the parent.
#include "framework/window.h"

#include <gtest/gtest.h>

#include <memory>

#include "framework/window_table.h"
#include "harness/destruction_refusal.h"
#include "harness/import_patch.h"
#include "harness/test_dialog.h"

namespace tolvane {
namespace {

using testing::DestructionRefusal;
using testing::ImportPatch;
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

  // A window of the class made by someone else is no object's, and works as a plain window.
  HWND stranger = ::CreateWindowExA(0, "TolvaneRegWnd", "", WS_CHILD, 0, 0, 0, 0, parent.Handle(),
                                    nullptr, ::GetModuleHandleA(nullptr), nullptr);
  ASSERT_NE(stranger, nullptr);
  EXPECT_EQ(CWnd::FromHandle(stranger), nullptr);
  EXPECT_TRUE(::DestroyWindow(stranger));
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

// Deletes itself as its window goes, after the window's own processing: its handler may run the
// host's code, which may close the dialog and delete the object.
class SelfDeletingWnd : public CWnd {
 public:
  explicit SelfDeletingWnd(bool* deleted) : deleted_(deleted) {}
  ~SelfDeletingWnd() override { *deleted_ = true; }

 protected:
  LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
    const LRESULT result = Default(message, wParam, lParam);
    if (message == WM_NCDESTROY) delete this;
    return result;
  }

 private:
  bool* deleted_;
};

TEST(Window, AnAttachedObjectMayBeDeletedAsItsWindowGoes) {
  TestDialog dialog;
  HWND hwnd = dialog.AddCombo(1021);
  bool deleted = false;
  auto* window = new SelfDeletingWnd(&deleted);
  ASSERT_TRUE(window->AttachToDialogItem(dialog.Handle(), 1021));
  ::DestroyWindow(hwnd);
  EXPECT_TRUE(deleted);
  EXPECT_EQ(TheWindowTable().Find(hwnd), nullptr);
}

TEST(Window, DestroyingTheParentLeavesTheObjectWithoutAWindow) {
  auto parent = std::make_unique<TestDialog>();
  RecordingWnd window;
  ASSERT_TRUE(window.CreateChild(parent->Handle(), "", 0, RECT{0, 0, 0, 0}, 0));
  parent.reset();
  EXPECT_EQ(window.Handle(), nullptr);
}

// A hook that keeps the window alive keeps it the object's: the object makes no second one
// beside it (the module's creation destroys its helper window, then makes a new one).
TEST(Window, AWindowWhoseDestructionIsRefusedStaysTheObjects) {
  TestDialog parent;
  RecordingWnd window;
  ASSERT_TRUE(window.CreateChild(parent.Handle(), "", 0, RECT{0, 0, 0, 0}, 0));
  HWND hwnd = window.Handle();
  {
    DestructionRefusal refusal(hwnd);
    EXPECT_FALSE(window.Destroy());
    EXPECT_FALSE(window.CreateChild(parent.Handle(), "", 0, RECT{0, 0, 0, 0}, 0));
    EXPECT_EQ(window.Handle(), hwnd);
    EXPECT_EQ(CWnd::FromHandle(hwnd), &window);
  }
  EXPECT_TRUE(window.Destroy());
  EXPECT_FALSE(::IsWindow(hwnd));
}

ATOM WINAPI RefusedClass(const WNDCLASSA*) {
  ::SetLastError(ERROR_NOT_ENOUGH_MEMORY);
  return 0;
}

TEST(Window, CreatingWithoutAValidParentOrWindowClassFails) {
  TestDialog parent;
  for (const bool classRefused : {false, true}) {
    // No window of ours is left: the next creation registers the class again.
    CWnd::UnregisterWindowClass();
    std::unique_ptr<ImportPatch> refusal;
    if (classRefused) {
      refusal =
          std::make_unique<ImportPatch>(::GetModuleHandleA(nullptr), "user32.dll", "RegisterClassA",
                                        reinterpret_cast<const void*>(&RefusedClass));
      ASSERT_TRUE(refusal->Active());
    }
    RecordingWnd window;
    HWND parentWindow = classRefused ? parent.Handle() : reinterpret_cast<HWND>(0x1234);
    EXPECT_FALSE(window.CreateChild(parentWindow, "", 0, RECT{0, 0, 0, 0}, 0)) << classRefused;
    EXPECT_EQ(window.Handle(), nullptr);
  }
}

}  // namespace
}  // namespace tolvane
