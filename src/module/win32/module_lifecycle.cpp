#include "module/win32/module_lifecycle.h"

#include <memory>

#include "filelist/file_list_entries.h"
#include "module/history_profile.h"
#include "module/history_state.h"
#include "module/win32/module_frame_state.h"
#include "module/win32/ops_table_fill.h"
#include "navigate/com_ref.h"
#include "navigate/navigation_state.h"

namespace tolvane {

OpsTable* CreateModule(IDispatch* automationRoot, HostWorkspace* workspace) {
  ModuleFrameState& frame = ModuleFrame();
  HoldAutomationRoot(automationRoot);
  frame.workspace = workspace;
  SetFileListWorkspace(workspace);

  ComRef<AutomationWindow> mainWindow;
  if (frame.automationRoot != nullptr) {
    auto* root = static_cast<AutomationRoot*>(frame.automationRoot);
    if (root->get_MainWindow(mainWindow.Put()) < 0) mainWindow.Reset();
  }
  if (!mainWindow) {
    frame.beeper->Exclamation();
    return nullptr;
  }

  auto table = std::make_unique<OpsTable>();  // slots 0 and 4 stay null
  int32_t handle = 0;
  mainWindow->get_HWnd(&handle);
  HWND parent = reinterpret_cast<HWND>(static_cast<intptr_t>(handle));

  // A helper window left from an earlier creation whose finish request never ran goes first.
  frame.helperWindow.Destroy();
  if (frame.helperWindow.CreateChild(parent, "", 0, RECT{0, 0, 0, 0}, 0)) {
    frame.helperWindow.Send(kHelperMessage, kFillRequest, reinterpret_cast<LPARAM>(table.get()));
    frame.helperWindow.Post(kHelperMessage, kFinishRequest, reinterpret_cast<LPARAM>(table.get()));
  } else {
    // Without a helper window nobody would fill the table: never hand out unset entries.
    FillOpsTable(*table);
  }

  LoadAllHistories(frame.profile, Histories());
  frame.historiesLoaded = true;
  return table.release();
}

void DestroyModule(OpsTable* table) {
  ModuleFrameState& frame = ModuleFrame();
  // Lists no creation has loaded (it found no main window) hold nothing of the user's: saving
  // them would write empty lists over the stored ones.
  if (frame.historiesLoaded) SaveAllHistories(frame.profile, Histories());
  delete table;
  HoldAutomationRoot(nullptr);
}

void LoadModule() {
  ModuleFrameState& frame = ModuleFrame();
  NavigationState& navigation = Navigation();
  navigation.wideStrings = &frame.wideStrings;
  navigation.notifier = &frame.messageBox;
}

void UnloadModule(bool processEnding) {
  ModuleFrameState& frame = ModuleFrame();
  Histories() = HistoryLists{};
  if (!processEnding) {
    frame.helperWindow.Destroy();
    CWnd::UnregisterWindowClass();
  }
  HoldAutomationRoot(nullptr);
  ReleaseFileList();
}

}  // namespace tolvane
