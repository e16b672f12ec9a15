#include "dll/module.h"

#include <memory>
#include <new>
#include <utility>

#include "dll/table_entries.h"
#include "navigate/com_ref.h"

namespace tolvane {
namespace {

Module* instance = nullptr;

}  // namespace

Module::Module() {
  navigation.wideStrings = &wideStrings;
  navigation.notifier = &messageBox;
}

Module::~Module() {
  helperWindow.Destroy();
  CWnd::UnregisterWindowClass();
  HoldAutomationRoot(nullptr);
  // The members go after this body; the framework state, declared first, goes last.
}

OpsTable* Module::Create(IDispatch* automationRoot, HostWorkspace* workspace) {
  // What can run out of memory comes before anything changes: a failed creation leaves the
  // module as it was.
  auto table = std::make_unique<OpsTable>();  // slots 0 and 4 stay null
  HistoryLists stored;
  LoadAllHistories(profile, stored);

  HoldAutomationRoot(automationRoot);
  fileList.workspace = workspace;

  ComRef<AutomationWindow> mainWindow;
  if (navigation.automationRoot != nullptr) {
    auto* root = static_cast<AutomationRoot*>(navigation.automationRoot);
    if (root->get_MainWindow(mainWindow.Put()) < 0) mainWindow.Reset();
  }
  if (!mainWindow) {
    ::MessageBeep(MB_ICONEXCLAMATION);
    return nullptr;
  }

  int32_t handle = 0;
  mainWindow->get_HWnd(&handle);
  HWND parent = reinterpret_cast<HWND>(static_cast<intptr_t>(handle));

  // A helper window left from an earlier creation whose finish request never ran goes first.
  helperWindow.Destroy();
  if (helperWindow.CreateChild(parent, "", 0, RECT{0, 0, 0, 0}, 0)) {
    helperWindow.Send(kHelperMessage, kFillRequest, reinterpret_cast<LPARAM>(table.get()));
    helperWindow.Post(kHelperMessage, kFinishRequest, reinterpret_cast<LPARAM>(table.get()));
  } else {
    // Without a helper window nobody would fill the table: never hand out unset entries.
    FillOpsTable(*table);
  }

  histories = std::move(stored);
  historiesLoaded = true;
  return table.release();
}

void Module::Destroy(OpsTable* table) {
  // Lists no creation has loaded (it found no main window) hold nothing of the user's: saving
  // them would write empty lists over the stored ones.
  // A save that runs out of memory part-way still lets the table and the root go.
  try {
    if (historiesLoaded) SaveAllHistories(profile, histories);
  } catch (...) {
  }
  // The lists belong to the creation that read them: after a later creation that fails, they
  // would be older than what another instance of the IDE may have stored since.
  historiesLoaded = false;
  delete table;
  HoldAutomationRoot(nullptr);
}

void Module::HoldAutomationRoot(IDispatch* root) {
  if (root == navigation.automationRoot) return;
  if (root != nullptr) root->AddRef();
  IDispatch* previous = navigation.automationRoot;
  navigation.automationRoot = root;
  if (previous != nullptr) previous->Release();
}

Module& TheModule() {
  return *instance;
}

bool LoadModule() {
  // Nothing may leave DllMain for the loader's frames: a module that cannot be made fails the load.
  try {
    instance = new Module;
  } catch (...) {
    instance = nullptr;
  }
  return instance != nullptr;
}

void UnloadModule(bool processEnding) {
  // After a load that failed the loader still detaches: there is no module to end.
  if (instance == nullptr) return;
  if (processEnding) {
    // The windows, the hook and the memory go with the process; only the host's object is
    // given back.
    instance->HoldAutomationRoot(nullptr);
    return;
  }
  delete instance;
  instance = nullptr;
}

}  // namespace tolvane
