// The module object: everything TolvaneReg.dll keeps, owned in one place. It lives from load
// (process attach) to unload (FreeLibrary); within that, each creation through the export is
// answered by Create and ended by Destroy. The table entries reach it through TheModule().
#pragma once

#include <memory>
#include <vector>

#include "dll/helper_window.h"
#include "filelist/file_list_entries.h"
#include "finddlg/win32/find_dialogs.h"
#include "framework/framework_state.h"
#include "framework/message_box_notifier.h"
#include "framework/registry_profile.h"
#include "history/history_profile.h"
#include "navigate/navigation_state.h"
#include "navigate/win32/ole_wide_strings.h"
#include "tolvane/tolvane.h"

namespace tolvane {

class Module {
 public:
  // Load: the framework's window table and hook come first; navigation is connected to the
  // platform's services.
  Module();
  // Unload, in this order: the helper window and the window class go, a still-held automation
  // root is released, then the members in reverse order (open Find dialogs' objects let go of
  // their controls, the file list is cleared) and the framework state last.
  ~Module();
  Module(const Module&) = delete;
  Module& operator=(const Module&) = delete;

  // Holds the root and the workspace, makes the helper window fill a new table and returns it,
  // and reads the histories; null (after one exclamation beep) when there is no root or it gives
  // no main window.
  OpsTable* Create(IDispatch* automationRoot, HostWorkspace* workspace);
  // Saves the histories and frees the table when it is one a live creation handed out; releases
  // the root once no creation is live.
  void Destroy(OpsTable* table);

  // Holds `root` in place of the current one: a new object is taken (one reference) before the
  // old one is released; the same object again changes nothing.
  void HoldAutomationRoot(IDispatch* root);

  // Declared first: every window object below needs it until it has gone. It stays when the
  // module ends with one of its subclasses buried under someone else's (the code is then pinned
  // and the buried procedure still runs): its records lead that procedure to the window's own,
  // and the next load of the same code takes the state up again.
  struct EndUnlessPinned {
    void operator()(FrameworkState* state) const;
  };
  std::unique_ptr<FrameworkState, EndUnlessPinned> framework;
  RegistryProfile profile;
  OleWideStrings wideStrings;
  MessageBoxNotifier messageBox;
  FileListState fileList;
  HistoryLists histories;
  // Tables handed out by creations not yet destroyed; the first of them read the history lists.
  std::vector<OpsTable*> liveTables;
  FindDialogs findDialogs{profile, histories};
  NavigationState navigation;  // holds the automation root
  CRegHelperWnd helperWindow;  // has a window from creation to the finish request
};

// The module of this load; there is one from process attach to detach.
Module& TheModule();

// Process attach: makes the module. False when it cannot be made (the load then fails).
bool LoadModule();
// Process detach: the module ends. During process exit (processEnding) only the automation root
// is released; the windows, the hook and the memory go with the process.
void UnloadModule(bool processEnding);

}  // namespace tolvane
