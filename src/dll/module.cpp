#include "dll/module.h"

#include <algorithm>
#include <memory>
#include <new>
#include <string>
#include <utility>

#include "dll/low_memory_exceptions.h"
#include "framework/code_pin.h"
#include "framework/thread_code_page.h"
#include "navigate/com_ref.h"
#include "navigate/go_to_tag.h"

namespace tolvane {
namespace {

Module* instance = nullptr;
// The thread the module serves: the one that loaded it.
DWORD moduleThread = 0;

// A null text reads as empty, which adds nothing.
std::string TextOf(const char* text) {
  return text != nullptr ? text : "";
}

}  // namespace

void Module::EndUnlessPinned::operator()(FrameworkState* state) const {
  if (!CodeKeptLoaded()) delete state;
}

Module::Module() : framework_(new FrameworkState) {
  navigation_.wideStrings = &wideStrings_;
  navigation_.notifier = &messageBox_;
}

Module::~Module() {
  helperWindow_.Destroy();
  CWnd::UnregisterWindowClass();
  navigation_.automationRoot.Reset();
  // The members go after this body; the framework state, declared first, goes last.
}

OpsTable* Module::Create(AutomationRoot* automationRoot, HostWorkspace* workspace) {
  // What can run out of memory comes before anything changes: a failed creation leaves the
  // module as it was.
  auto table = std::make_unique<OpsTable>();  // slots 0 and 4 stay null
  liveTables_.reserve(liveTables_.size() + 1);
  // A creation made while another is still live shares its lists: they may hold adds that the
  // profile does not have yet.
  const bool loadHistories = liveTables_.empty();
  HistoryLists stored;
  if (loadHistories) LoadAllHistories(profile_, ThreadLeadBytes(), stored);

  ComRef<AutomationRoot> root;
  root.Hold(automationRoot);
  ComRef<AutomationWindow> mainWindow;
  if (root && root->get_MainWindow(mainWindow.Put()) < 0) mainWindow.Reset();
  // A creation that fails while another is live leaves that one its root and its workspace.
  // With none live it holds them as given, until a destruction or the unload.
  if (mainWindow || liveTables_.empty()) {
    navigation_.automationRoot = std::move(root);
    fileList_.SetWorkspace(workspace);
  }
  if (!mainWindow) {
    ::MessageBeep(MB_ICONEXCLAMATION);
    return nullptr;
  }

  int32_t handle = 0;
  mainWindow->get_HWnd(&handle);
  HWND parent = reinterpret_cast<HWND>(static_cast<intptr_t>(handle));

  // A helper window left from an earlier creation whose finish request never ran goes first.
  helperWindow_.Destroy();
  if (helperWindow_.CreateChild(parent, "", 0, RECT{0, 0, 0, 0}, 0)) {
    helperWindow_.Send(kHelperMessage, kFillRequest, reinterpret_cast<LPARAM>(table.get()));
    helperWindow_.Post(kHelperMessage, kFinishRequest, reinterpret_cast<LPARAM>(table.get()));
  } else {
    // Without a helper window nobody would fill the table: never hand out unset entries.
    FillTable(*table);
  }

  if (loadHistories) histories_ = std::move(stored);
  liveTables_.push_back(table.get());  // cannot fail: reserved above
  return table.release();
}

void Module::Destroy(OpsTable* table) noexcept {
  // Only a table this module handed out and has not freed ends a creation. Lists no live
  // creation has loaded (one that found no main window, or after the last destruction) would be
  // older than what another instance of the IDE may have stored since: they are not saved.
  const auto live = std::find(liveTables_.begin(), liveTables_.end(), table);
  if (live != liveTables_.end()) {
    // A save that runs out of memory part-way still lets the table go.
    try {
      SaveAllHistories(profile_, histories_);
    } catch (...) {
    }
    liveTables_.erase(live);
    delete table;
  }
  // The root serves every live creation; the last destruction lets it go.
  if (liveTables_.empty()) navigation_.automationRoot.Reset();
}

void Module::InitFindFileDialog(HWND dialog, uint32_t dialogId, CFindFileEdit** combo,
                                CFindFileListCtrl** list, HostFileSource** fileSource,
                                HostFileKeyArray* keys) {
  findDialogs_.OpenFindFile(dialog, dialogId, combo, list, fileSource, keys);
}

void Module::InitFindTagDialog(HWND dialog, uint32_t dialogId, CFindTagEdit** parentCombo,
                               CFindTagEdit** tagCombo, CFindTagListCtrl** list,
                               HostTagArray* tags) {
  findDialogs_.OpenFindTag(dialog, dialogId, parentCombo, tagCombo, list, tags);
}

void Module::AddHistory(History which, const char* text) {
  findDialogs_.AddHistory(which, TextOf(text));
}

bool Module::LoadFileList(bool exportProject) {
  return fileList_.Load(exportProject);
}

bool Module::SaveFileList() {
  return fileList_.Save();
}

void Module::GetFileList(FileEntryList* destination) const {
  fileList_.CopyTo(destination);
}

void Module::SetFileList(const FileEntryList* source) {
  fileList_.CopyFrom(source);
}

HostTagRecord* Module::LastTag() const {
  return tolvane::GetLastTag(navigation_);
}

bool Module::GoToTag(HostTagRecord* tag) {
  navigation_.leadBytes = ThreadLeadBytes();  // the host may have changed its thread's locale
  return tolvane::GoToTag(navigation_, tag);
}

Module& TheModule() {
  return *instance;
}

bool LoadModule() {
  // Code kept loaded past the module's end (a subclass of ours lay buried) had its C++ runtime
  // ended with it (its exception tables are gone): attached again, the first throw would end the
  // process. The load fails instead.
  if (CodeKeptLoaded()) return false;
  if (!PrepareExceptionsForLowMemory()) return false;
  // Nothing may leave DllMain for the loader's frames: a module that cannot be made fails the load.
  try {
    instance = new Module;
  } catch (...) {
    return false;
  }
  moduleThread = ::GetCurrentThreadId();
  return true;
}

void UnloadModule(bool processEnding) {
  // After a load that failed the loader still detaches: there is no module to end.
  if (instance == nullptr) return;
  if (processEnding) {
    // The windows, the hook and the memory go with the process; only the host's object is
    // given back.
    instance->ReleaseAutomationRoot();
    return;
  }
  delete instance;
  instance = nullptr;
}

bool OnModuleThread() {
  return ::GetCurrentThreadId() == moduleThread;
}

}  // namespace tolvane
