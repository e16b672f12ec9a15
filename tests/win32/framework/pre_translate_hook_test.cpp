// The thread's message hook offers queued messages for a combo box and its edit field to the
// combo object; a consumed message is never dispatched.
#include "framework/pre_translate_hook.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "framework/combo_box_ex.h"
#include "harness/import_patch.h"
#include "harness/test_dialog.h"

namespace tolvane {
namespace {

using testing::EditFieldOf;
using testing::ImportPatch;
using testing::PumpMessages;
using testing::TestDialog;
using testing::WindowText;

// Consumes the character 'x'; records the characters and application messages it is offered
// (painting and timer messages come and go with the platform).
class FilteringCombo : public CComboBoxEx {
 public:
  std::vector<MSG> offered;
  bool PreTranslateMessage(MSG& message) override {
    if (message.message == WM_CHAR || message.message >= WM_USER) offered.push_back(message);
    return message.message == WM_CHAR && message.wParam == 'x';
  }
};

TEST(PreTranslateHook, ConsumedCharacterNeverReachesTheEditField) {
  TestDialog dialog;
  dialog.AddCombo(1021);
  FilteringCombo combo;
  ASSERT_TRUE(combo.AttachToDialogItem(dialog.Handle(), 1021));
  HWND edit = EditFieldOf(combo.Handle());
  ASSERT_NE(edit, nullptr);

  ::PostMessageA(edit, WM_CHAR, 'x', 0);
  ::PostMessageA(edit, WM_CHAR, 'y', 0);
  // A loop that looks before it takes (an idle check) sees the 'x' twice: it is offered once.
  MSG peeked{};
  ASSERT_TRUE(::PeekMessageA(&peeked, edit, WM_CHAR, WM_CHAR, PM_NOREMOVE));
  PumpMessages();

  EXPECT_EQ(WindowText(combo.Handle()), "y");
  ASSERT_EQ(combo.offered.size(), 2u);
  EXPECT_EQ(combo.offered[0].hwnd, edit);
  EXPECT_EQ(combo.offered[0].wParam, WPARAM('x'));
}

TEST(PreTranslateHook, MessagesForTheComboBoxItselfAreOfferedToo) {
  TestDialog dialog;
  dialog.AddCombo(1021);
  FilteringCombo combo;
  ASSERT_TRUE(combo.AttachToDialogItem(dialog.Handle(), 1021));

  ::PostMessageA(combo.Handle(), WM_USER + 7, 1, 2);
  PumpMessages();

  ASSERT_EQ(combo.offered.size(), 1u);
  EXPECT_EQ(combo.offered[0].hwnd, combo.Handle());
  EXPECT_EQ(combo.offered[0].message, UINT(WM_USER + 7));
}

TEST(PreTranslateHook, SentMessagesAndOtherWindowsAreNotOffered) {
  TestDialog dialog;
  dialog.AddCombo(1021);
  HWND other = dialog.AddCombo(1052);
  FilteringCombo combo;
  ASSERT_TRUE(combo.AttachToDialogItem(dialog.Handle(), 1021));

  ::SendMessageA(EditFieldOf(combo.Handle()), WM_CHAR, 'x', 0);  // sent: no loop involved
  ::PostMessageA(::GetWindow(other, GW_CHILD), WM_CHAR, 'x', 0);
  ::PostMessageA(dialog.Handle(), WM_USER + 3, 0, 0);
  PumpMessages();

  EXPECT_TRUE(combo.offered.empty());
  EXPECT_EQ(WindowText(combo.Handle()), "x");
  char text[8] = {};
  ::GetWindowTextA(other, text, sizeof text);
  EXPECT_STREQ(text, "x");
}

// The hooks this program sets and removes, counted at its imports; the calls go on to the system.
struct HookCalls {
  static inline const void* set = nullptr;
  static inline const void* unhook = nullptr;
  static inline int live = 0;
};
HHOOK WINAPI CountingSetHook(int kind, HOOKPROC procedure, HINSTANCE module, DWORD thread) {
  HHOOK hook = reinterpret_cast<decltype(&::SetWindowsHookExA)>(HookCalls::set)(kind, procedure,
                                                                                module, thread);
  if (hook != nullptr) ++HookCalls::live;
  return hook;
}
BOOL WINAPI CountingUnhook(HHOOK hook) {
  const BOOL removed = reinterpret_cast<decltype(&::UnhookWindowsHookEx)>(HookCalls::unhook)(hook);
  if (removed) --HookCalls::live;
  return removed;
}

TEST(PreTranslateHook, InstalledWhileAComboTakesPartAndRemovedAfterTheLast) {
  ImportPatch set(::GetModuleHandleA(nullptr), "user32.dll", "SetWindowsHookExA",
                  reinterpret_cast<const void*>(&CountingSetHook));
  ImportPatch unhook(::GetModuleHandleA(nullptr), "user32.dll", "UnhookWindowsHookEx",
                     reinterpret_cast<const void*>(&CountingUnhook));
  ASSERT_TRUE(set.Active() && unhook.Active());
  HookCalls::set = set.Original();
  HookCalls::unhook = unhook.Original();
  HookCalls::live = 0;

  TestDialog dialog;
  dialog.AddCombo(1051);
  dialog.AddCombo(1052);
  auto first = std::make_unique<FilteringCombo>();
  auto second = std::make_unique<FilteringCombo>();
  ASSERT_TRUE(first->AttachToDialogItem(dialog.Handle(), 1051));
  ASSERT_TRUE(second->AttachToDialogItem(dialog.Handle(), 1052));
  EXPECT_EQ(HookCalls::live, 1);  // one hook for the thread, however many windows take part

  HWND edit = EditFieldOf(first->Handle());
  first.reset();
  EXPECT_EQ(HookCalls::live, 1);
  ::PostMessageA(edit, WM_CHAR, 'x', 0);  // its object is gone: the character arrives
  PumpMessages();
  EXPECT_EQ(WindowText(edit), "x");

  second.reset();
  EXPECT_EQ(HookCalls::live, 0);
}

}  // namespace
}  // namespace tolvane
