// Creation and destruction of the real module: the table, the helper window, the beep, the
// reference on the automation root, and what load and unload do.
#include <windows.h>

// needs windows.h first
#include <commctrl.h>

#include <set>
#include <string>
#include <vector>

#include "harness/import_patch.h"
#include "module/module_fixture.h"

namespace tolvane::testing {
namespace {

std::vector<UINT>& Beeps() {
  static std::vector<UINT> beeps;
  return beeps;
}

BOOL WINAPI RecordBeep(UINT type) {
  Beeps().push_back(type);
  return TRUE;
}

using Lifecycle = ModuleTest;

TEST_F(Lifecycle, TableHoldsThirteenDistinctEntriesInsideTheModuleAndTwoReservedNulls) {
  OpsTable* table = module.Create(ide.RootDispatch());
  ASSERT_NE(table, nullptr);

  std::set<void*> distinct;
  for (int index = 0; index < 15; ++index) {
    SCOPED_TRACE(index);
    if (index == 0 || index == 4) {
      EXPECT_EQ(table->slots[index], nullptr);
      continue;
    }
    ASSERT_NE(table->slots[index], nullptr);
    EXPECT_TRUE(module.Contains(table->slots[index]));
    distinct.insert(table->slots[index]);
  }
  EXPECT_EQ(distinct.size(), 13u);
  module.Destroy(table);
}

TEST_F(Lifecycle, NoMainWindowGivesOneExclamationBeepAndNoTable) {
  {
    ImportPatch beep(module.Handle(), "user32.dll", "MessageBeep",
                     reinterpret_cast<const void*>(&RecordBeep));
    ASSERT_TRUE(beep.Active());
    Beeps().clear();
    ide.mainWindowAvailable = false;

    EXPECT_EQ(module.Create(ide.RootDispatch()), nullptr);

    EXPECT_EQ(Beeps(), (std::vector<UINT>{0x30}));
    EXPECT_EQ(HelperWindowsOf(mainWindow.Handle()), 0);
  }
  // The root stays held as given, until unload lets go of it.
  EXPECT_EQ(ide.References("Root"), 1);
  module.Unload();
  EXPECT_EQ(ide.References("Root"), 0);
}

TEST_F(Lifecycle, NoRootGivesOneExclamationBeepAndNoTable) {
  ImportPatch beep(module.Handle(), "user32.dll", "MessageBeep",
                   reinterpret_cast<const void*>(&RecordBeep));
  Beeps().clear();
  EXPECT_EQ(module.Create(nullptr), nullptr);
  EXPECT_EQ(Beeps(), (std::vector<UINT>{0x30}));
}

TEST_F(Lifecycle, HelperWindowLivesUntilTheHostsLoopRuns) {
  OpsTable* table = module.Create(ide.RootDispatch());
  ASSERT_NE(table, nullptr);

  HWND helper = ::FindWindowExA(mainWindow.Handle(), nullptr, kHelperWindowClass, nullptr);
  ASSERT_NE(helper, nullptr);
  EXPECT_FALSE(::IsWindowVisible(helper));
  EXPECT_EQ(::GetDlgCtrlID(helper), 0);
  EXPECT_EQ(::GetWindowLongA(helper, GWL_STYLE) & WS_CHILD, WS_CHILD);
  // The message number with a request that is not the module's (a host may use it among its
  // children for its own) leaves the helper as it was.
  ::SendMessageA(helper, 0x8001, 7, 0);
  EXPECT_TRUE(::IsWindow(helper));

  PumpMessages();
  EXPECT_FALSE(::IsWindow(helper));
  EXPECT_EQ(HelperWindowsOf(mainWindow.Handle()), 0);
  module.Destroy(table);
}

TEST_F(Lifecycle, DestroyingBeforeTheFinishRequestIsHarmless) {
  OpsTable* table = module.Create(ide.RootDispatch());
  ASSERT_NE(table, nullptr);
  module.Destroy(table);
  EXPECT_EQ(HelperWindowsOf(mainWindow.Handle()), 1);
  PumpMessages();  // the finish request never reads the freed table
  EXPECT_EQ(HelperWindowsOf(mainWindow.Handle()), 0);
  EXPECT_EQ(ide.References("Root"), 0);
}

TEST_F(Lifecycle, CreatingAgainBeforeTheLoopRunsLeavesOneHelperWindow) {
  OpsTable* first = module.Create(ide.RootDispatch());
  OpsTable* second = module.Create(ide.RootDispatch());
  ASSERT_NE(first, nullptr);
  ASSERT_NE(second, nullptr);
  EXPECT_EQ(HelperWindowsOf(mainWindow.Handle()), 1);
  EXPECT_NE(second->slots[kGoToTag], nullptr);
  PumpMessages();
  EXPECT_EQ(HelperWindowsOf(mainWindow.Handle()), 0);
  module.Destroy(first);
  module.Destroy(second);
}

TEST_F(Lifecycle, WithoutAHelperWindowTheTableIsFilledDirectly) {
  ide.SetMainWindowHandle(int32_t{0});  // no parent for a child window: the helper cannot exist
  OpsTable* table = module.Create(ide.RootDispatch());
  ASSERT_NE(table, nullptr);
  for (int index : {1, 2, 3, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14}) {
    EXPECT_NE(table->slots[index], nullptr) << index;
  }
  module.Destroy(table);
}

TEST_F(Lifecycle, MainWindowIsAskedForAndReleased) {
  OpsTable* table = module.Create(ide.RootDispatch());
  EXPECT_TRUE(ide.Called("Root.get_MainWindow"));
  EXPECT_TRUE(ide.Called("MainWindow.get_HWnd"));
  EXPECT_EQ(ide.References("MainWindow"), 0);
  module.Destroy(table);
}

TEST_F(Lifecycle, SameRootTwiceHoldsOneReferenceAndTheLastDestructionReleasesIt) {
  OpsTable* first = module.Create(ide.RootDispatch());
  EXPECT_EQ(ide.References("Root"), 1);
  OpsTable* second = module.Create(ide.RootDispatch());
  EXPECT_EQ(ide.References("Root"), 1);

  module.Destroy(second);
  EXPECT_EQ(ide.References("Root"), 1);  // the first creation still goes to tags
  module.Destroy(first);
  EXPECT_EQ(ide.References("Root"), 0);
  module.Destroy(first);  // no longer live: nothing to free or release
  EXPECT_EQ(ide.References("Root"), 0);
  EXPECT_EQ(ide.Registry().OverReleases(), 0);
}

// A root that notes, at its release, how many references the other root held then.
class WatchedRoot final : public FakeComObject<AutomationRoot> {
 public:
  WatchedRoot(FakeObjectRegistry& registry, FakeIde& ide, std::vector<std::string>& log,
              const std::string& rootName)
      : FakeComObject(registry, rootName), ide_(ide), log_(log) {}
  ULONG STDMETHODCALLTYPE AddRef() override {
    log_.push_back(name + " AddRef");
    return ULONG(++references);
  }
  ULONG STDMETHODCALLTYPE Release() override {
    log_.push_back(name + " Release");
    return ULONG(--references);
  }
  HRESULT STDMETHODCALLTYPE get_MainWindow(AutomationWindow** window) override {
    return ide_.Root()->get_MainWindow(window);
  }
  HRESULT STDMETHODCALLTYPE get_ItemOperations(ItemOperations** operations) override {
    return ide_.Root()->get_ItemOperations(operations);
  }

 private:
  FakeIde& ide_;
  std::vector<std::string>& log_;
};

TEST_F(Lifecycle, ANewRootIsTakenBeforeTheOldOneIsReleased) {
  std::vector<std::string> log;
  FakeObjectRegistry roots;
  WatchedRoot first(roots, ide, log, "first");
  WatchedRoot second(roots, ide, log, "second");
  OpsTable* a = module.Create(&first);
  OpsTable* b = module.Create(&second);
  EXPECT_EQ(log, (std::vector<std::string>{"first AddRef", "second AddRef", "first Release"}));
  EXPECT_EQ(first.references, 0);
  EXPECT_EQ(second.references, 1);
  module.Destroy(b);
  module.Destroy(a);
  EXPECT_EQ(second.references, 0);
  EXPECT_EQ(ide.References("MainWindow"), 0);
}

TEST_F(Lifecycle, UnloadReleasesARootTheHostNeverGaveBack) {
  OpsTable* table = module.Create(ide.RootDispatch());
  ASSERT_NE(table, nullptr);
  PumpMessages();
  module.Unload();  // the table was never passed to TolvaneRegDestroy
  EXPECT_EQ(ide.References("Root"), 0);
  EXPECT_EQ(ide.Registry().OverReleases(), 0);
}

TEST_F(Lifecycle, UnloadWithTheHelperWindowStillThereTakesItAwayWithItsClass) {
  OpsTable* table = module.Create(ide.RootDispatch());
  module.Destroy(table);
  HINSTANCE instance = module.Handle();
  module.Unload();
  EXPECT_EQ(HelperWindowsOf(mainWindow.Handle()), 0);
  WNDCLASSA windowClass{};
  EXPECT_FALSE(::GetClassInfoA(instance, kHelperWindowClass, &windowClass));
  PumpMessages();  // the finish request finds no window and no code
}

// The thread hooks the module has set and not removed, as seen at its imports.
std::set<HHOOK>& LiveHooks() {
  static std::set<HHOOK> hooks;
  return hooks;
}
HHOOK WINAPI CountedSetHook(int type, HOOKPROC procedure, HINSTANCE instance, DWORD thread) {
  HHOOK hook = ::SetWindowsHookExA(type, procedure, instance, thread);
  if (hook != nullptr) LiveHooks().insert(hook);
  return hook;
}
BOOL WINAPI CountedUnhook(HHOOK hook) {
  LiveHooks().erase(hook);
  return ::UnhookWindowsHookEx(hook);
}

// A host that unloads the module while both Find dialogs are open (no close, no destruction):
// nothing of the module is left in the host's windows, and its controls go on as plain ones.
TEST_F(Lifecycle, UnloadWithBothFindDialogsOpenLeavesPlainControls) {
  WriteProfileString("Config", "TagEditList", "Draw|Paint|");
  TestDialog fileDialog;
  TestDialog tagDialog;
  const std::vector<HWND> controls{
      fileDialog.AddList(1020, LVS_OWNERDATA), fileDialog.AddCombo(1021),
      tagDialog.AddList(1050, LVS_OWNERDATA), tagDialog.AddCombo(1051), tagDialog.AddCombo(1052)};
  const std::vector<HWND> windows{controls[0], controls[1],         controls[2],       controls[3],
                                  controls[4], fileDialog.Handle(), tagDialog.Handle()};
  std::vector<LONG_PTR> procedures;
  for (HWND window : windows) procedures.push_back(::GetWindowLongPtrA(window, GWLP_WNDPROC));
  HWND tagList = controls[2];
  HWND tagCombo = controls[4];

  ImportPatch setHook(module.Handle(), "user32.dll", "SetWindowsHookExA",
                      reinterpret_cast<const void*>(&CountedSetHook));
  ImportPatch unhook(module.Handle(), "user32.dll", "UnhookWindowsHookEx",
                     reinterpret_cast<const void*>(&CountedUnhook));
  ASSERT_TRUE(setHook.Active() && unhook.Active());
  OpsTable* table = module.Create(ide.RootDispatch());
  ASSERT_NE(table, nullptr);
  PumpMessages();
  HostFileKeyArray keys{nullptr};
  HostFileSource* source = nullptr;
  HostTagArray tags{nullptr};
  ASSERT_TRUE(Entry<InitFindFileDialogFn>(table, kInitFindFileDialog)(
      fileDialog.Handle(), 1, nullptr, nullptr, &source, &keys));
  ASSERT_TRUE(Entry<InitFindTagDialogFn>(table, kInitFindTagDialog)(tagDialog.Handle(), 2, nullptr,
                                                                    nullptr, nullptr, &tags));
  // The controls and the dialogs are subclassed.
  for (size_t i = 0; i < windows.size(); ++i) {
    ASSERT_NE(::GetWindowLongPtrA(windows[i], GWLP_WNDPROC), procedures[i]) << i;
  }
  ASSERT_EQ(LiveHooks().size(), 1u);  // the combo boxes' message hook

  module.Unload();
  setHook.ModuleUnloaded();
  unhook.ModuleUnloaded();

  EXPECT_TRUE(LiveHooks().empty());
  for (size_t i = 0; i < windows.size(); ++i) {
    EXPECT_TRUE(::IsWindow(windows[i])) << i;
    EXPECT_EQ(::GetWindowLongPtrA(windows[i], GWLP_WNDPROC), procedures[i]) << i;
  }
  // Keys and messages now meet the controls' own procedures and reach the dialogs as they are.
  fileDialog.ClearReceived();
  tagDialog.ClearReceived();
  ::PostMessageA(EditFieldOf(controls[1]), WM_CHAR, 'x', 0);
  ::PostMessageA(EditFieldOf(tagCombo), WM_KEYDOWN, VK_DOWN, 1);  // the combo's own next item
  ::PostMessageA(EditFieldOf(tagCombo), WM_KEYDOWN, VK_F5, 1);
  PumpMessages();
  EXPECT_EQ(WindowText(controls[1]), "x");
  EXPECT_TRUE(fileDialog.ReceivedCode(WM_COMMAND, 1021, CBN_EDITCHANGE));
  EXPECT_EQ(WindowText(tagCombo), "Draw");
  EXPECT_EQ(tagDialog.Count(WM_USER + 1, 0, true), 0);
  ::SendMessageA(tagList, LVM_SETITEMCOUNT, 1, 0);
  char text[16] = "";
  LVITEMA item{};
  item.pszText = text;
  item.cchTextMax = sizeof text;
  ::SendMessageA(tagList, LVM_GETITEMTEXTA, 0, reinterpret_cast<LPARAM>(&item));
  EXPECT_TRUE(tagDialog.ReceivedCode(WM_NOTIFY, 1050, LVN_GETDISPINFOA));
  EXPECT_EQ(ide.References("Root"), 0);
}

}  // namespace
}  // namespace tolvane::testing
