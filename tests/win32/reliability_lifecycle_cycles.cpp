// A thousand creations and destructions of the real module, and a thousand openings and
// closings of each Find dialog, leave no window, hook, subclassed procedure, GUI object or
// automation reference behind.
#include <windows.h>
// after windows.h
#include <commctrl.h>
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "harness/test_dialog.h"
#include "module/loaded_module.h"
#include "reliability_counts.h"
#include "support/fake_ide.h"
#include "support/fake_records.h"
#include "tolvane/tolvane.h"

namespace tolvane::testing {
namespace {

constexpr int kCycles = 1000;

class LongRuns : public ::testing::Test {
 protected:
  LongRuns() {
    ClearModuleProfile();
    ide.SetMainWindowHandle(mainWindow.Handle());
  }
  ~LongRuns() override {
    module.Unload();
    PumpMessages();
    ClearModuleProfile();
  }

  OpsTable* Create() {
    OpsTable* table = module.Create(ide.RootDispatch());
    PumpMessages();  // the helper window's finish request
    return table;
  }

  TestDialog mainWindow;  // the IDE's main window
  FakeIde ide;
  LoadedModule module;
};

TEST_F(LongRuns, CreateAndDestroyAThousandTimes) {
  HookCounter hooks(module.Handle());
  const ResourceCounts before = CountResources();
  const auto references = ide.ReferenceSnapshot();
  for (int cycle = 0; cycle < kCycles; ++cycle) {
    OpsTable* table = Create();
    ASSERT_NE(table, nullptr) << "cycle " << cycle;
    ASSERT_EQ(ide.References("Root"), 1) << "cycle " << cycle;  // the one the module holds
    module.Destroy(table);
    PumpMessages();
    ASSERT_EQ(HelperWindowsOf(mainWindow.Handle()), 0) << "cycle " << cycle;
    ASSERT_EQ(ide.ReferenceChangesSince(references), "") << "cycle " << cycle;
  }
  EXPECT_EQ(CountResources(), before)
      << CountResources().Describe() << " after, " << before.Describe() << " before";
  EXPECT_EQ(hooks.Live(), 0);
  EXPECT_EQ(ide.Registry().OverReleases(), 0);
}

// One host dialog per opening, as a host creates it: its window procedure and child count are
// what the module must give back at close.
struct HostDialogState {
  LONG_PTR procedure;
  int children;
};

BOOL CALLBACK CountChild(HWND, LPARAM counter) {
  ++*reinterpret_cast<int*>(counter);
  return TRUE;
}

HostDialogState StateOf(HWND dialog) {
  int children = 0;
  ::EnumChildWindows(dialog, &CountChild, reinterpret_cast<LPARAM>(&children));
  return {::GetWindowLongPtrA(dialog, GWLP_WNDPROC), children};
}

void ExpectGivenBack(HWND dialog, const HostDialogState& before, int cycle) {
  const HostDialogState after = StateOf(dialog);
  EXPECT_EQ(after.procedure, before.procedure) << "cycle " << cycle << ": still subclassed";
  EXPECT_LE(after.children, before.children) << "cycle " << cycle;
}

TEST_F(LongRuns, OpenAndCloseEachFindDialogAThousandTimes) {
  OpsTable* table = Create();
  ASSERT_NE(table, nullptr);
  HookCounter hooks(module.Handle());
  ASSERT_TRUE(hooks.Active()) << "the module's hook calls cannot be counted";
  auto initFile = TableEntry<InitFindFileDialogFn>(table, kInitFindFileDialog);
  auto closeFile = TableEntry<CloseFindFileDialogFn>(table, kCloseFindFileDialog);
  auto initTag = TableEntry<InitFindTagDialogFn>(table, kInitFindTagDialog);
  auto closeTag = TableEntry<CloseFindTagDialogFn>(table, kCloseFindTagDialog);
  auto addFile = TableEntry<AddFilenameHistoryFn>(table, kAddFilenameHistory);

  FakeFileRecord record("main", "cpp", "C:\\src");
  FakeFileSource source;
  source.records[7] = &record;
  HostFileSource* sourceWord = &source;
  uint32_t keys[] = {7};
  HostFileKeyArray keyArray{keys};
  FakeTagRecord tag;
  HostTagRecord* tagRows[] = {&tag};
  HostTagArray tagArray{tagRows};

  // One cycle of each first, so that whatever is made once and kept (the list-view's classes,
  // the history in the profile) is there before counting.
  const auto cycle = [&](int number) {
    {
      TestDialog dialog;
      HWND list = dialog.AddList(1020, LVS_OWNERDATA);
      dialog.AddCombo(1021);
      const HostDialogState before = StateOf(dialog.Handle());
      CFindFileEdit* combo = nullptr;
      CFindFileListCtrl* listObject = nullptr;
      ASSERT_TRUE(initFile(dialog.Handle(), 1000, &combo, &listObject, &sourceWord, &keyArray));
      ::SendMessageA(list, LVM_SETITEMCOUNT, 1, 0);
      addFile(("searched " + std::to_string(number % 300)).c_str());
      PumpMessages();
      ASSERT_TRUE(closeFile());
      ExpectGivenBack(dialog.Handle(), before, number);
      ASSERT_EQ(hooks.Live(), 0) << "cycle " << number;
    }
    {
      TestDialog dialog;
      dialog.AddList(1050, LVS_OWNERDATA);
      dialog.AddCombo(1051);
      dialog.AddCombo(1052);
      const HostDialogState before = StateOf(dialog.Handle());
      CFindTagEdit* parent = nullptr;
      CFindTagEdit* tagCombo = nullptr;
      CFindTagListCtrl* listObject = nullptr;
      ASSERT_TRUE(initTag(dialog.Handle(), 2000, &parent, &tagCombo, &listObject, &tagArray));
      PumpMessages();
      ASSERT_TRUE(closeTag());
      ExpectGivenBack(dialog.Handle(), before, number);
      ASSERT_EQ(hooks.Live(), 0) << "cycle " << number;
    }
    PumpMessages();
  };
  cycle(0);
  const ResourceCounts before = CountResources();
  const auto references = ide.ReferenceSnapshot();
  for (int number = 1; number <= kCycles && !HasFatalFailure(); ++number) cycle(number);
  EXPECT_EQ(CountResources(), before)
      << CountResources().Describe() << " after, " << before.Describe() << " before";
  EXPECT_EQ(ide.ReferenceChangesSince(references), "");
  EXPECT_GT(hooks.Set(), kCycles);  // each opening did hook the thread: the counts mean something
  module.Destroy(table);
}

}  // namespace
}  // namespace tolvane::testing
