#include "dll/module.h"

#include <algorithm>
#include <memory>
#include <new>
#include <utility>

#include "dll/table_entries.h"
#include "framework/code_pin.h"
#include "navigate/com_ref.h"

namespace tolvane {
namespace {

Module* instance = nullptr;

}  // namespace

void Module::EndUnlessPinned::operator()(FrameworkState* state) const {
  if (!CodeKeptLoaded()) delete state;
}

Module::Module()
    : framework(FrameworkState::Installed() != nullptr ? FrameworkState::Installed()
                                                       : new FrameworkState) {
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
  liveTables.reserve(liveTables.size() + 1);
  // A creation made while another is still live shares its lists: they may hold adds that the
  // profile does not have yet.
  const bool loadHistories = liveTables.empty();
  HistoryLists stored;
  if (loadHistories) LoadAllHistories(profile, stored);

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

  if (loadHistories) histories = std::move(stored);
  liveTables.push_back(table.get());  // cannot fail: reserved above
  return table.release();
}

void Module::Destroy(OpsTable* table) {
  // Only a table this module handed out and has not freed ends a creation. Lists no live
  // creation has loaded (one that found no main window, or after the last destruction) would be
  // older than what another instance of the IDE may have stored since: they are not saved.
  const auto live = std::find(liveTables.begin(), liveTables.end(), table);
  if (live != liveTables.end()) {
    // A save that runs out of memory part-way still lets the table go.
    try {
      SaveAllHistories(profile, histories);
    } catch (...) {
    }
    liveTables.erase(live);
    delete table;
  }
  // The root serves every live creation; the last destruction lets it go.
  if (liveTables.empty()) HoldAutomationRoot(nullptr);
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
