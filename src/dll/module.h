// The module object: everything TolvaneReg.dll keeps, owned in one place. It lives from load
// (process attach) to unload (FreeLibrary); within that, each creation through the export is
// answered by Create and ended by Destroy. Every table entry is one of its operations; the
// entries (table_entries.cpp) reach it through TheModule() and turn a failure into their result.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "dll/helper_window.h"
#include "filelist/file_list_state.h"
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
  OpsTable* Create(AutomationRoot* automationRoot, HostWorkspace* workspace);
  // Saves the histories and frees the table when it is one a live creation handed out; releases
  // the root once no creation is live.
  void Destroy(OpsTable* table) noexcept;
  // During process exit: only the host's root is given back (the rest goes with the process).
  void ReleaseAutomationRoot() { navigation_.automationRoot.Reset(); }

  // The table entries, in table order. Running out of memory raises the out-of-memory exception
  // with the module's state as it was.
  void InitFindFileDialog(HWND dialog, uint32_t dialogId, CFindFileEdit** combo,
                          CFindFileListCtrl** list, HostFileSource** fileSource,
                          HostFileKeyArray* keys);
  void CloseFindFileDialog() { findDialogs_.CloseFindFile(); }
  void InitFindTagDialog(HWND dialog, uint32_t dialogId, CFindTagEdit** parentCombo,
                         CFindTagEdit** tagCombo, CFindTagListCtrl** list, HostTagArray* tags);
  void AddHistory(History which, const char* text);
  void CloseFindTagDialog() { findDialogs_.CloseFindTag(); }
  bool LoadFileList(bool exportProject);
  bool SaveFileList();
  void GetFileList(FileEntryList* destination) const;
  void SetFileList(const FileEntryList* source);
  HostTagRecord* LastTag() const;
  bool GoToTag(HostTagRecord* tag);

  // Fills the thirteen defined entries (1-3, 5-14); slots 0 and 4 are left as they are.
  static void FillTable(OpsTable& table);

 private:
  // Declared first: every window object below needs it until it has gone. It stays when the
  // module ends with one of its subclasses buried under someone else's (the code is then pinned
  // and the buried procedure still runs): its records lead that procedure to the window's own.
  struct EndUnlessPinned {
    void operator()(FrameworkState* state) const;
  };
  std::unique_ptr<FrameworkState, EndUnlessPinned> framework_;
  RegistryProfile profile_;
  OleWideStrings wideStrings_;
  MessageBoxNotifier messageBox_;
  FileListState fileList_;
  HistoryLists histories_;
  // Tables handed out by creations not yet destroyed; the first of them read the history lists.
  std::vector<OpsTable*> liveTables_;
  FindDialogs findDialogs_{profile_, histories_};
  NavigationState navigation_;              // holds the automation root
  CRegHelperWnd helperWindow_{&FillTable};  // has a window from creation to the finish request
};

// The module of this load; there is one from process attach to detach.
Module& TheModule();

// Process attach: makes the module. False when it cannot be made (the load then fails).
bool LoadModule();
// True on the thread the module serves, the one that loaded it: the host's user-interface
// thread, which creates the module and calls every entry. Every entry and export called on
// another thread fails by its result and changes nothing; the module's windows, hooks and state
// belong to that thread alone, and its exception state was prepared there at load.
bool OnModuleThread();
// Process detach: the module ends. During process exit (processEnding) only the automation root
// is released; the windows, the hook and the memory go with the process.
void UnloadModule(bool processEnding);

}  // namespace tolvane
